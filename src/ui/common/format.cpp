#include "ui/common/format.h"

#include "core/betting/money.h"
#include "ui/common/texts.h"

namespace spinalyst {

QString AmountText(Cents amount) {
    return QString::fromStdString(FormatAmount(amount));
}

QString DecimalText(double value, int decimals) {
    QString text = QString::number(value, 'f', decimals);
    // A figure that rounds to zero carries no sign.
    if (text.toDouble() == 0) text = QString::number(0.0, 'f', decimals);
    return text.replace('.', ',');
}

QString SignificantText(double value, int digits) {
    return QString::number(value, 'g', digits).replace('.', ',');
}

QString ProgressionCaption(Progression progression) {
    switch (progression) {
        case Progression::Flat:
            return Text(TextId::ProgressionFlat);
        case Progression::Martingale:
            return Text(TextId::ProgressionMartingale);
        case Progression::GrandMartingale:
            return Text(TextId::ProgressionGrandMartingale);
        case Progression::Dalembert:
            return Text(TextId::ProgressionDalembert);
        case Progression::Fibonacci:
            return Text(TextId::ProgressionFibonacci);
        case Progression::Labouchere:
            return Text(TextId::ProgressionLabouchere);
        case Progression::Paroli:
            return Text(TextId::ProgressionParoli);
        case Progression::Sequence:
            return Text(TextId::ProgressionSequence);
    }
    return {};
}

QString AmountFieldText(const std::optional<Cents>& amount) {
    return amount ? AmountText(*amount) : QString();
}

std::optional<std::optional<Cents>> ReadAmountField(const QString& text, Cents limit) {
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty()) return std::optional<Cents>();
    QString comma = trimmed;
    comma.replace('.', ',');
    const auto amount = ParseAmount(comma.toStdString(), ',');
    if (!amount || *amount <= 0 || *amount > limit) return std::nullopt;
    return std::optional<Cents>(*amount);
}

}  // namespace spinalyst
