#include "ui/common/texts.h"

#include <QCoreApplication>
#include <QHash>
#include <QLibraryInfo>
#include <QTranslator>
#include <vector>

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

// The words of Qt's file dialog that its French catalogue lacks: the kinds of entries and
// the sizes. Asked after the catalogue, so that a catalogue that has them wins.
class MissingQtFrench final : public QTranslator {
public:
    bool isEmpty() const override { return false; }
    QString translate(const char* context, const char* sourceText, const char*,
                      int n) const override {
        const QByteArray where(context);
        const QByteArray text(sourceText);
        if (where == "QAbstractFileIconProvider" || where == "QFileSystemModel") {
            static const QHash<QByteArray, QString> words = {
                {"Folder", QStringLiteral("Dossier")},
                {"File", QStringLiteral("Fichier")},
                {"Drive", QStringLiteral("Lecteur")},
                {"File Folder", QStringLiteral("Dossier")},
                {"Alias", QStringLiteral("Alias")},
                {"Shortcut", QStringLiteral("Raccourci")},
                {"Unknown", QStringLiteral("Inconnu")},
                {"%1 bytes", QStringLiteral("%1 octets")},
                {"%1 byte(s)", QStringLiteral("%1 octet(s)")},
            };
            if (const auto it = words.find(text); it != words.end()) return *it;
        }
        (void)n;
        return {};
    }
};

// Qt ships no English catalogue: its own texts are English already. Every catalogue of Qt's
// own the dialogs use is loaded, and the language's locale becomes the default one, so that
// the file dialog's dates and file kinds follow the language too.
void UseQtTranslations(const QLocale& locale) {
    static std::vector<QTranslator*> installed;
    QLocale::setDefault(locale);
    if (!QCoreApplication::instance()) return;
    for (QTranslator* translator : installed) {
        QCoreApplication::removeTranslator(translator);
        delete translator;
    }
    installed.clear();
    if (locale.language() == QLocale::English) return;
    // The last one installed is asked first: the fallback goes in before the catalogues.
    if (locale.language() == QLocale::French) installed.push_back(new MissingQtFrench);
    for (const QString catalogue : {QStringLiteral("qt"), QStringLiteral("qtbase")}) {
        auto* loaded = new QTranslator;
        if (loaded->load(locale, catalogue, QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
            installed.push_back(loaded);
        else
            delete loaded;
    }
    for (QTranslator* translator : installed) QCoreApplication::installTranslator(translator);
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
