#pragma once

#include <string>

#include "core/stats/analysis_window.h"
#include "core/store/ini_file.h"

namespace spinalyst {

// The analysis controls as one statistics mode stores them in its settings section. Default
// constructed, it holds what a section without keys reads as, which is not quite the form's
// initial state: "Analyse1" defaults to 1 and "Pari" to the empty entry.
struct ModeSettings : AnalysisControls {
    ModeSettings() {
        lastCount = 1;
        followEntry = 0;
    }
};

// "Stat" followed by the mode's number: "Stat1" ... "Stat9".
std::string ModeSectionName(int mode);

// Reads the mode's section. Spin values are brought into their control's bounds; a combo index
// outside its list reads as no entry chosen. Without withEnd, "End1" is not read and rangeEnd
// keeps its default: the caller sets the range end to the number of draws.
ModeSettings LoadModeSettings(const IniFile& ini, int mode, bool withEnd);
// Writes the mode's keys in their fixed order; no entry chosen is written as -1.
void SaveModeSettings(IniFile& ini, int mode, const AnalysisControls& controls);

}  // namespace spinalyst
