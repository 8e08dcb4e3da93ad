// Takes the user manual's screenshots from the real program, offscreen: one picture of the
// main window per statistics page after a seeded game, and the about box.
//   spinalyst-docshots OUTPUT_DIR LANGUAGE SOURCE_DATA_DIR
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>

#include "app/about_dialog.h"
#include "app/game_session.h"
#include "app/main_window.h"
#include "draws/random_source.h"
#include "stats/stats_tabs.h"

using namespace spinalyst;

namespace {
void Settle() {
    for (int i = 0; i < 5; ++i) QCoreApplication::processEvents();
}

bool Save(QWidget* widget, const QString& file) {
    Settle();
    if (widget->grab().save(file)) return true;
    std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
    return false;
}
}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc != 4) {
        std::fprintf(stderr, "usage: spinalyst-docshots OUTPUT_DIR LANGUAGE SOURCE_DATA_DIR\n");
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    const QString language = QString::fromLocal8Bit(argv[2]).toUpper();
    const QString source = QString::fromLocal8Bit(argv[3]);
    QDir().mkpath(out);

    QTemporaryDir data;
    for (const char* name : {"spinalyst_EN.lang", "spinalyst_FR.lang"})
        QFile::copy(source + "/" + name, data.filePath(name));
    QFile settings(data.filePath("spinalyst.ini"));
    if (!settings.open(QIODevice::WriteOnly)) return 1;
    settings.write(QStringLiteral("[Params]\nLanguage=%1\n").arg(language).toUtf8());
    settings.close();
    QFile croupiers(data.filePath("croupiers"));
    if (!croupiers.open(QIODevice::WriteOnly)) return 1;
    croupiers.write("idx\tname\n1\tAlain\n2\tZoé\n");
    croupiers.close();

    DataPaths paths;
    paths.writeDir = data.path().toStdString();
    paths.readDirs = {paths.writeDir};
    MainWindow window(paths);
    window.resize(1012, 677);
    window.show();

    // An evening of 600 draws by two croupiers, the same every time.
    GameSession& session = window.session();
    RandomSource rng(2009);
    const DrawTime start = 1'765'380'000;
    session.BeginBatch();
    for (int n = 0; n < 600; ++n) {
        session.game().SetCurrentCroupier(n < 300 ? 1 : 2);
        session.game().AddDraw(rng.Next(session.kind()), start + 45 * n);
    }
    session.EndBatch();

    bool ok = true;
    auto* tabs = window.findChild<QTabWidget*>("pcStats");
    for (int t = 0; t < tabs->count(); ++t) {
        tabs->setCurrentIndex(t);
        ok &= Save(&window, out + "/" + tabs->widget(t)->objectName() + ".png");
    }
    tabs->setCurrentIndex(static_cast<int>(FamilyTab(StatFamily::Pleins)));
    ok &= Save(&window, out + "/main.png");

    AboutDialog::SetTestDriver([&](AboutDialog& box) {
        box.show();
        ok &= Save(&box, out + "/about.png");
    });
    AboutDialog::ShowAbout(&window);
    return ok ? 0 : 1;
}
