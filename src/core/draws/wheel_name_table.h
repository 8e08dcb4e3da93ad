#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/draws/croupier_table.h"
#include "core/draws/draw_log.h"

namespace spinalyst {

// The persistent table of wheel names ("T3", "Wheel 2"), kept as the croupiers are: numbered
// 1, 2 ... in the order they were created, never deleted, in a file of its own with the same
// format; 0 stands for no wheel everywhere.
class WheelNameTable {
public:
    using LoadResult = CroupierTable::LoadResult;

    LoadResult Load(const std::filesystem::path& file) { return names_.Load(file); }
    void LoadFromText(std::string_view text) { names_.LoadFromText(text); }

    // Appends a wheel (the name cut to its first 20 characters) and writes the file at once;
    // returns its number, or 0 when the table already holds as many wheels as a draw can name.
    std::int32_t AddWheel(std::string_view name);
    bool Save() { return names_.Save(); }
    std::string ToText() const { return names_.ToText(); }

    std::optional<std::int32_t> WheelIndex(std::string_view name) const {
        return names_.CroupierIndex(name);
    }
    std::optional<std::string> WheelName(std::int32_t idx) const {
        return names_.CroupierName(idx);
    }
    std::vector<std::string> SortedNames() const { return names_.SortedNames(); }
    int size() const { return names_.size(); }
    bool lastSaveFailed() const { return names_.lastSaveFailed(); }

private:
    CroupierTable names_;
};

// Renumbers the wheels of a log read from a file, whose wheel k is fileNames[k - 1], to the
// table's numbers, adding the names the table does not know. Returns how many were added.
int AdoptWheels(DrawLog& log, const std::vector<std::string>& fileNames, WheelNameTable& table);

}  // namespace spinalyst
