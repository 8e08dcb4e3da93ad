#pragma once

class QComboBox;

namespace spinalyst {

class CroupierTable;

// Fills a croupier box: an empty entry, then the names in ascending order. The text shown
// stays as it was, and no signal reports the change.
void FillCroupierBox(QComboBox* box, const CroupierTable& croupiers);

}  // namespace spinalyst
