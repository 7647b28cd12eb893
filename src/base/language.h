// The two languages of the interface, as the settings file's Language key and
// every (Russian, English) text pair count them.
#pragma once

namespace tikkano {

enum Language : int { kRussian = 0, kEnglish = 1 };

}  // namespace tikkano
