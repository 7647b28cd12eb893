#pragma once
#include "base/texts.h"
#include "editions/edition.h"

namespace tikkano {

inline constexpr Edition kEdition{
    "2.7.1",
    /*settingsBesideProgram*/ true,
    /*keepsLastClosing*/ true,
    /*catchesUp*/ true,
    /*monthlyAndYearly*/ true,
    /*passesWorkingFolder*/ true,
    /*remembersScreenPlaces*/ true,
    /*ramFigureWithLoad*/ false,
    /*selectsDay*/ true,
    /*groupCaptionPlaces*/ true,
    /*aboutPlaceText*/ kTextAboutPlace,
};

}  // namespace tikkano
