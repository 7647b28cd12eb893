#pragma once
#include "base/texts.h"
#include "editions/edition.h"

namespace tikkano {

inline constexpr Edition kEdition{
    "2.6.2",
    /*settingsBesideProgram*/ false,
    /*keepsLastClosing*/ false,
    /*catchesUp*/ false,
    /*monthlyAndYearly*/ false,
    /*passesWorkingFolder*/ false,
    /*remembersScreenPlaces*/ false,
    /*ramFigureWithLoad*/ true,
    /*selectsDay*/ false,
    /*groupCaptionPlaces*/ false,
    /*aboutPlaceText*/ kTextAboutPlaceEarlier,
};

}  // namespace tikkano
