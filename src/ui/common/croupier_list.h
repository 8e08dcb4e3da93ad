#pragma once

class QComboBox;

namespace spinalyst {

class CroupierTable;
class WheelNameTable;

// Fills a croupier box, or a wheel box: an empty entry, then the names in ascending order.
// The text shown stays as it was, and no signal reports the change.
void FillCroupierBox(QComboBox* box, const CroupierTable& croupiers);
void FillWheelBox(QComboBox* box, const WheelNameTable& wheels);

}  // namespace spinalyst
