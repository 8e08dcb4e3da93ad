#include "ui/common/texts.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace spinalyst {

namespace {
struct CurrentLanguage {
    std::string code;
    LanguageTable table;
};
CurrentLanguage& Current() {
    static CurrentLanguage language;
    return language;
}

// Qt ships no English catalogue: its own texts are English already.
void UseQtTranslations(const QLocale& locale) {
    static QTranslator* translator = nullptr;
    if (!QCoreApplication::instance()) return;
    if (translator) {
        QCoreApplication::removeTranslator(translator);
        delete translator;
        translator = nullptr;
    }
    if (locale.language() == QLocale::English) return;
    auto* loaded = new QTranslator;
    if (loaded->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        translator = loaded;
        QCoreApplication::installTranslator(translator);
    } else {
        delete loaded;
    }
}
}  // namespace

void SetLanguage(std::string_view code, LanguageTable table) {
    Current() = {std::string(code), std::move(table)};
    UseQtTranslations(LanguageLocale());
}

const LanguageTable& CurrentLanguageTable() {
    return Current().table;
}

const std::string& LanguageCode() {
    return Current().code;
}

QLocale LanguageLocale() {
    return LanguageOfCode(LanguageCode()) == Language::French
               ? QLocale(QLocale::French, QLocale::France)
               : QLocale(QLocale::English, QLocale::UnitedKingdom);
}

QString Text(TextId id) {
    return QString::fromStdString(Current().table.Text(id));
}

QString CountedText(TextId id, long long count) {
    return Text(CountedTextId(id, LanguageOfCode(LanguageCode()), count));
}

QString Labelled(const QString& label, const QString& value) {
    const bool french = LanguageOfCode(LanguageCode()) == Language::French;
    return label + (french ? QStringLiteral("\u00a0: ") : QStringLiteral(": ")) + value;
}

}  // namespace spinalyst
