#pragma once

#include <cstddef>

namespace spinalyst {

// Asks the system to back a large block about to be filled with huge pages, where it offers
// them: filling it then costs a few page faults rather than one per 4 KiB, which is most of
// the cost of reading a big game. Only the whole huge pages inside the block are advised.
void AdviseHugePages(void* data, std::size_t size);

}  // namespace spinalyst
