// Takes the user manual's screenshots from the real program, offscreen: the main window, one
// picture per statistics page after a seeded game, the areas the manual describes on their
// own (start dialog, entry area, analysis panel, the draws list's pages, the File menu), the
// strategy lab's example, and the about box.
//   spinalyst-docshots OUTPUT_DIR LANGUAGE SOURCE_DATA_DIR
#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <ctime>

#include "core/betting/plan.h"
#include "core/draws/random_source.h"
#include "ui/betting/table_picture.h"
#include "ui/common/app_settings.h"
#include "ui/common/game_session.h"
#include "ui/common/notice.h"
#include "ui/draws/draws_panel.h"
#include "ui/draws/entry_area.h"
#include "ui/shell/about_dialog.h"
#include "ui/shell/main_window.h"
#include "ui/shell/start_dialog.h"
#include "ui/stats/stats_tabs.h"

using namespace spinalyst;

namespace {
void Settle() {
    for (int i = 0; i < 5; ++i) QCoreApplication::processEvents();
}

bool SavePixmap(const QPixmap& shot, const QString& file) {
    if (shot.save(file)) return true;
    std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
    return false;
}

bool Save(QWidget* widget, const QString& file) {
    if (!widget) {
        std::fprintf(stderr, "nothing to show for %s\n", qPrintable(file));
        return false;
    }
    Settle();
    return SavePixmap(widget->grab(), file);
}

// The top of the draws list on each of its three pages of columns: draws1.png ... draws3.png.
bool SaveDrawsPages(MainWindow& window, const QString& out) {
    auto* panel = window.findChild<DrawsPanel*>();
    auto* first = window.findChild<QPushButton*>("btFirst");
    auto* next = window.findChild<QPushButton*>("btNext");
    if (!panel || !first || !next) {
        std::fprintf(stderr, "no draws list for %s\n", qPrintable(out));
        return false;
    }
    const QRect top = QRect(panel->view()->pos(), QSize(panel->view()->width(), 232));
    bool ok = true;
    first->click();
    for (int page = 1; page <= 3; ++page) {
        if (page > 1) next->click();
        Settle();
        ok &= SavePixmap(panel->grab(top), out + QStringLiteral("/draws%1.png").arg(page));
    }
    first->click();
    return ok;
}

// A page that works in the background shows a progress bar: its picture waits for the answer.
void AwaitPage(QWidget* page) {
    Settle();
    const auto busy = [page] {
        const auto bars = page->findChildren<QProgressBar*>();
        return std::any_of(bars.begin(), bars.end(),
                           [](QProgressBar* b) { return b->isVisible(); });
    };
    QElapsedTimer clock;
    clock.start();
    while (busy() && clock.elapsed() < 120'000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        QThread::msleep(20);
    }
    Settle();
}

// Chips of several sizes on the betting table, then a stretch of play that they settle, so
// that the Bets page shows its chips, history and balance. Nothing when there is no table.
void PlayAtTable(MainWindow& window, RandomSource& rng) {
    auto* table = window.findChild<QWidget*>("imgTapis");
    if (!table) return;
    const auto chip = [&](int k) {
        if (auto* b = window.findChild<QAbstractButton*>(QStringLiteral("sbChip%1").arg(k)))
            b->click();
    };
    const auto click = [&](int x, int y) {
        const QPointF at(TablePicture::FromTable(QPoint(x, y)));
        QMouseEvent release(QEvent::MouseButtonRelease, at, table->mapToGlobal(at), Qt::LeftButton,
                            Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(table, &release);
    };
    // In the table picture's own places: 3 straight up three times, a split, a corner, red, the
    // second dozen and the middle column.
    chip(4);
    for (int i = 0; i < 3; ++i) click(55, 23);
    chip(3);
    click(73, 61);
    click(109, 42);
    chip(6);
    click(216, 176);
    chip(7);
    click(253, 137);
    chip(8);
    click(490, 61);
    chip(4);
    GameSession& session = window.session();
    {
        const GameSession::Batch batch(session);
        for (int n = 0; n < 200; ++n) session.AddDraw(rng.Next(session.kind()));
    }
}

// The strategy lab's worked example: a Martingale of 5,00 on red, bankroll 1000, table maximum
// 500, stop-win 50, started at the table and three draws into its first session; then the
// Strategy page with its backtest of the evening and a Monte Carlo run of the same plan.
bool ShowStrategyExample(MainWindow& window, const QString& out) {
    auto* tabs = window.findChild<QTabWidget*>("pcStats");
    auto* progression = window.findChild<QComboBox*>("cbProgression");
    auto* start = window.findChild<QPushButton*>("btStartSession");
    if (!tabs || !progression || !start) {
        std::fprintf(stderr, "no progression box\n");
        return false;
    }
    GameSession& session = window.session();
    session.ClearBets();
    session.SetChipValue(500);
    session.ClickTable(226, 176, MouseButton::Left);
    progression->setCurrentIndex(static_cast<int>(Progression::Martingale) + 1);
    const std::pair<const char*, const char*> fields[] = {
        {"edBankroll", "1000"}, {"edTableMax", "500"}, {"edStopWin", "50"}};
    for (const auto& [name, text] : fields)
        if (auto* edit = window.findChild<QLineEdit*>(name)) {
            edit->setText(QString::fromLatin1(text));
            emit edit->editingFinished();
        }
    start->click();
    for (Pocket p : {17, 0, 4}) session.AddDraw(p);
    const int bets = static_cast<int>(StatsTab::Bets);
    tabs->setCurrentIndex(bets);
    Settle();
    bool ok = Save(tabs, out + "/strategy_bets.png");

    const int strategy = static_cast<int>(StatsTab::Strategy);
    tabs->setCurrentIndex(strategy);
    auto* page = tabs->widget(strategy);
    if (auto* run = page->findChild<QPushButton*>("btRunMonteCarlo")) {
        run->click();
        QElapsedTimer waited;
        waited.start();
        while (!run->isEnabled() && waited.elapsed() < 60000) {
            QCoreApplication::processEvents();
            QThread::msleep(10);
        }
    }
    Settle();
    ok &= Save(tabs, out + "/" + page->objectName() + ".png");
    return ok;
}

// The top left of the window with the File menu open over it.
bool SaveFileMenu(MainWindow& window, const QString& file) {
    auto* menu = window.findChild<QMenu*>("Fichier1");
    if (!menu) {
        std::fprintf(stderr, "no File menu for %s\n", qPrintable(file));
        return false;
    }
    const QRect item = window.menuBar()->actionGeometry(menu->menuAction());
    const QPoint at = window.menuBar()->mapTo(&window, item.bottomLeft());
    menu->popup(window.mapToGlobal(at));
    Settle();
    const QPixmap open = menu->grab();
    menu->hide();
    const QRect area =
        QRect(0, 0, std::max(360, at.x() + open.width() + 60), at.y() + open.height() + 40)
            .intersected(window.rect());
    QPixmap shot = window.grab(area);
    QPainter painter(&shot);
    painter.drawPixmap(at, open);
    painter.end();
    return SavePixmap(shot, file);
}
}  // namespace

int main(int argc, char** argv) {
    // The draws list shows local times: the same pictures wherever they are taken.
    qputenv("TZ", "UTC");
    tzset();
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

    bool ok = true;
    {
        AppSettings settings(data.filePath("spinalyst.ini").toStdString());
        StartDialog start(&settings);
        start.show();
        ok &= Save(&start, out + "/start.png");
    }

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
    GameFile evening;
    evening.kind = session.kind();
    evening.croupierNames = {"Alain", "Zoé"};
    for (int n = 0; n < 600; ++n)
        evening.log.Append(rng.Next(evening.kind), start + 45 * n, n < 300 ? 1 : 2);
    session.ReplaceGame(std::move(evening));

    // Each page on its own, with its tab bar: the pictures sit beside the text about them.
    auto* tabs = window.findChild<QTabWidget*>("pcStats");
    for (int t = 0; t < tabs->count(); ++t) {
        tabs->setCurrentIndex(t);
        AwaitPage(tabs->widget(t));
        ok &= Save(tabs, out + "/" + tabs->widget(t)->objectName() + ".png");
    }
    tabs->setCurrentIndex(static_cast<int>(FamilyTab(StatFamily::Pleins)));
    ok &= Save(&window, out + "/main.png");
    // The manual shows the whole window within a reading width; scaled here, smoothly, since
    // a help window scales pictures pixel by pixel.
    ok &=
        SavePixmap(window.grab().scaledToWidth(760, Qt::SmoothTransformation), out + "/window.png");
    ok &= Save(window.findChild<EntryArea*>(), out + "/entry.png");
    ok &= Save(window.findChild<QWidget*>("pnlPeriode1"), out + "/analysis.png");
    ok &= SaveDrawsPages(window, out);
    ok &= SaveFileMenu(window, out + "/filemenu.png");

    // The leading pocket frozen now, to be tested on the stretch of play that follows.
    if (auto* freeze = window.findChild<QAbstractButton*>("btnFreeze")) freeze->click();

    // Last, since its draws come with the clock's time, which no other picture shows.
    PlayAtTable(window, rng);
    const int bets = static_cast<int>(StatsTab::Bets);
    tabs->setCurrentIndex(bets);
    ok &= Save(tabs, out + "/" + tabs->widget(bets)->objectName() + ".png");
    const int fairness = static_cast<int>(StatsTab::Fairness);
    tabs->setCurrentIndex(fairness);
    if (auto* inner = window.findChild<QTabWidget*>("tcFairness")) inner->setCurrentIndex(1);
    AwaitPage(tabs->widget(fairness));
    ok &= Save(tabs, out + "/" + tabs->widget(fairness)->objectName() + "Play.png");
    ok &= ShowStrategyExample(window, out);

    SetDialogHook([&](QDialog& box) {
        box.show();
        ok &= Save(&box, out + "/about.png");
        return int(QDialog::Accepted);
    });
    AboutDialog::ShowAbout(&window);
    return ok ? 0 : 1;
}
