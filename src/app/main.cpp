#include <QApplication>
#include <QCommandLineParser>
#include <QDir>

#include "core/store/data_paths.h"
#include "ui/common/app_settings.h"
#include "ui/shell/main_window.h"
#include "ui/shell/start_dialog.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Spinalyst");
    // No display name: the platform would append it to every title, the main window's own
    // "evening.csv — Spinalyst" and the dialogs' too.
    // Lets the desktop match the windows to spinalyst.desktop and its icon.
    QGuiApplication::setDesktopFileName("spinalyst");

    QCommandLineParser parser;
    parser.setApplicationDescription("Roulette draw recorder and analyser");
    parser.addHelpOption();
    const QCommandLineOption dataDir(
        "data-dir", "Keep settings and croupiers in DIR instead of beside the program.", "DIR");
    parser.addOption(dataDir);
    parser.process(app);

    spinalyst::DataPathInputs inputs;
    inputs.exeDir = QCoreApplication::applicationDirPath().toStdString();
    if (parser.isSet(dataDir))
        inputs.overrideDir = QDir(parser.value(dataDir)).absolutePath().toStdString();
    else if (const QString env = qEnvironmentVariable("SPINALYST_DATA_DIR"); !env.isEmpty())
        inputs.overrideDir = QDir(env).absolutePath().toStdString();
    inputs.userDataDir = spinalyst::UserDataDirFromEnvironment();
    const spinalyst::DataPaths paths = spinalyst::ResolveDataPaths(inputs);

    // Read once here: the start dialog and then the window share it.
    spinalyst::AppSettings settings(paths.SettingsFile());
    if (!spinalyst::ShowStartDialog(&settings)) return 0;

    spinalyst::MainWindow window(paths, &settings);
    window.move(0, 0);
    window.show();
    window.OfferRestore();
    return QApplication::exec();
}
