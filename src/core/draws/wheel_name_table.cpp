#include "core/draws/wheel_name_table.h"

namespace spinalyst {

std::int32_t WheelNameTable::AddWheel(std::string_view name) {
    if (names_.size() >= maxWheelNumber) return 0;
    return names_.AddCroupier(name);
}

int AdoptWheels(DrawLog& log, const std::vector<std::string>& fileNames, WheelNameTable& table) {
    if (fileNames.empty()) return 0;
    const int before = table.size();
    std::vector<std::int32_t> numbers(fileNames.size() + 1, 0);
    for (std::size_t k = 0; k < fileNames.size(); ++k) {
        const std::string name = CutToCharacters(fileNames[k], croupierNameLength);
        const auto known = table.WheelIndex(name);
        numbers[k + 1] = known ? *known : table.AddWheel(name);
    }
    log.MapWheels(numbers);
    return table.size() - before;
}

}  // namespace spinalyst
