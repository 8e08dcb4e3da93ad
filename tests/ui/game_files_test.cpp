#include <sys/resource.h>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QSignalSpy>
#include <QSpinBox>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableView>
#include <QTest>

#include <algorithm>
#include <csignal>
#include <memory>
#include <sstream>

#include "cli/cli.h"
#include "core/betting/stakes_note.h"
#include "core/draws/game_file.h"
#include "core/draws/game_journal.h"
#include "core/draws/random_source.h"
#include "core/stats/stats_csv.h"
#include "read_game/read_game_cases.h"
#include "ui/common/game_session.h"
#include "ui/common/notice.h"
#include "ui/draws/draws_model.h"
#include "ui/draws/draws_panel.h"
#include "ui/draws/input_panel.h"
#include "ui/shell/game_keeper.h"
#include "ui/shell/main_window.h"
#include "ui/stats/fairness_page.h"
#include "ui/stats/stats_area.h"
#include "ui/stats/stats_tabs.h"
#include "ui/stats/wheel_figures.h"
#include "ui_test_support.h"

using namespace spinalyst;

namespace {

// Answers the questions in turn and notes what was asked.
struct Answers {
    QList<Answer> next;
    QStringList asked;
    void Install() {
        SetQuestionHook([this](const QString& text) {
            asked << text;
            return next.isEmpty() ? Answer::Cancel : next.takeFirst();
        });
    }
};

struct Warnings {
    QStringList shown;
    Warnings() {
        SetWarningHook([this](const QString& text) { shown << text; });
    }
    ~Warnings() { SetWarningHook({}); }
};

void PickFile(const QString& file) {
    SetFilePickerHook([file](FilePurpose) { return file; });
}

void Trigger(MainWindow& window, const char* name) {
    auto* item = window.findChild<QAction*>(name);
    QVERIFY2(item, name);
    item->trigger();
}

// A game with draws of every sort: clicked with a croupier, a batch, an American double zero.
void PlayAGame(MainWindow& window) {
    GameSession& session = window.session();
    Trigger(window, "Americaine1");
    session.AddCroupier("Zoé");
    auto* panel = window.findChild<InputPanel*>("pnlSaisie");
    QTest::mouseClick(panel->inputLabel(DoubleZero), Qt::LeftButton);
    QTest::mouseClick(panel->inputLabel(17), Qt::LeftButton);
    session.DrawRandomBatch(500);
    session.AddDraw(0);
}

// Files may not grow past `bytes` while it lives, as on a full disk: a write beyond fails.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        ::getrlimit(RLIMIT_FSIZE, &old_);
        oldSignal_ = std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{bytes, old_.rlim_max};
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() { Lift(); }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;
    void Lift() {
        ::setrlimit(RLIMIT_FSIZE, &old_);
        std::signal(SIGXFSZ, oldSignal_);
    }

private:
    rlimit old_{};
    void (*oldSignal_)(int) = nullptr;
};

// The betting account as a text: the stakes on the table, the balance, and every settled draw.
std::string Account(const GameSession& session) {
    const BetLedger& ledger = session.ledger();
    std::string text = StakesNoteValue(ledger) + " | " + std::to_string(ledger.balance());
    const BetHistory& history = ledger.history();
    for (std::size_t r = 0; r < history.size(); ++r)
        text += " | " + std::to_string(history.drawNumber(r)) + ":" +
                std::to_string(history.pocket(r)) + ":" + std::to_string(history.stake(r)) + ":" +
                std::to_string(history.win(r)) + ":" + std::to_string(history.balance(r));
    return text;
}

std::string PleinsCsv(MainWindow& window) {
    window.findChild<QTabWidget*>("pcStats")->setCurrentIndex(int(FamilyTab(StatFamily::Pleins)));
    return window.statsArea().ShowingFiguresCsv().value_or("");
}

std::string GameText(MainWindow& window) {
    GameSession& s = window.session();
    return WriteGameFile(s.game().log(), s.kind(),
                         [&s](std::int32_t c) { return s.croupiers().CroupierName(c); });
}

}  // namespace

class GameFilesTest final : public QObject {
    Q_OBJECT

private slots:
    void aSavedGameOpensAgainWithTheSameDrawsAndFigures() {
        test::DataDir dir;
        dir.CopyShippedLanguages();
        const QString file = dir.file("evening.csv");
        std::string saved, figures;
        {
            MainWindow window(dir.paths());
            PlayAGame(window);
            QCOMPARE(test::ShownTitle(&window), QString("Spinalyst*"));
            PickFile(file);
            Trigger(window, "actSave");
            QCOMPARE(test::ShownTitle(&window), QString("evening.csv \u2014 Spinalyst"));
            saved = GameText(window);
            figures = PleinsCsv(window);
            QCOMPARE(dir.Read("evening.csv").toStdString(), saved);
            window.session().AddDraw(3);
            QCOMPARE(test::ShownTitle(&window), QString("evening.csv* \u2014 Spinalyst"));
            Answers answers;
            answers.next = {Answer::No};
            answers.Install();
            window.close();
            QCOMPARE(answers.asked, QStringList{"Save the draws of this game?"});
        }
        // Another data directory: the croupier table there does not know Zoé yet.
        test::DataDir other;
        other.CopyShippedLanguages();
        MainWindow window(other.paths());
        QCOMPARE(window.session().kind(), RouletteKind::French);
        PickFile(file);
        Trigger(window, "actOpen");
        QCOMPARE(window.session().kind(), RouletteKind::American);
        QVERIFY(window.findChild<QAction*>("Americaine1")->isChecked());
        QCOMPARE(window.session().drawCount(), 503);
        QCOMPARE(GameText(window), saved);
        QCOMPARE(PleinsCsv(window), figures);
        QCOMPARE(window.session().croupiers().CroupierIndex("Zoé"), std::optional<std::int32_t>(1));
        QVERIFY(other.Read("croupiers").contains("Zoé"));
        QCOMPARE(test::ShownTitle(&window), QString("evening.csv \u2014 Spinalyst"));
        auto* recent = window.findChild<QMenu*>("mnuRecentGames");
        emit recent->aboutToShow();
        QCOMPARE(recent->actions().size(), 1);
        QCOMPARE(recent->actions().front()->text(), QFileInfo(file).absoluteFilePath());
    }

    void theSaveQuestionGuardsNewOpenKindAndClose() {
        test::DataDir dir;
        dir.CopyShippedLanguages();
        MainWindow window(dir.paths());
        GameSession& session = window.session();
        Answers answers;
        answers.Install();
        // Nothing to lose: no question.
        Trigger(window, "Nouveau1");
        QVERIFY(answers.asked.isEmpty());

        session.AddDraw(7);
        for (const char* item : {"Nouveau1", "NoZero1", "actOpen"}) {
            answers.next = {Answer::Cancel};
            Trigger(window, item);
            QCOMPARE(session.drawCount(), 1);
            QCOMPARE(session.kind(), RouletteKind::French);
            QVERIFY(window.findChild<QAction*>("Francaise1")->isChecked());
        }
        QCOMPARE(answers.asked.size(), 3);
        answers.next = {Answer::Cancel};
        window.show();
        QVERIFY(!window.close());
        QVERIFY(window.isVisible());

        // Save, with the picker cancelled, keeps the game too; then saved, the new game comes.
        answers.next = {Answer::Yes};
        SetFilePickerHook([](FilePurpose) { return QString(); });
        Trigger(window, "Nouveau1");
        QCOMPARE(session.drawCount(), 1);
        answers.next = {Answer::Yes};
        PickFile(dir.file("kept"));
        Trigger(window, "NoZero1");
        QCOMPARE(session.kind(), RouletteKind::NoZero);
        QCOMPARE(session.drawCount(), 0);
        const QByteArray kept = dir.Read("kept.csv");
        QVERIFY(kept.startsWith("#kind=french\ndraw,time,croupier,pocket\n1,"));
        QVERIFY(kept.endsWith(",,7\n"));
        // The file of the saved game is not the new game's.
        QCOMPARE(test::ShownTitle(&window), QString("Spinalyst"));
    }

    void everyBadFileIsRefusedNamingFileAndLineAndTheGameStays() {
        test::DataDir dir;
        dir.CopyShippedLanguages();
        MainWindow window(dir.paths());
        GameSession& session = window.session();
        session.AddDraw(5);
        session.AddDraw(6);
        Answers answers;
        answers.next = QList<Answer>(20, Answer::No);
        answers.Install();
        QDir(dir.file("")).mkdir("folder.csv");
        const QByteArray header = "draw,time,croupier,pocket\n";
        struct Case {
            const char* name;
            QByteArray content;  // empty name content: not written
            QString message;
        } cases[] = {
            {"header.csv", "pocket,draw\n1,5\n", ":1: the first line must be"},
            {"pocket.csv", header + "1,,,5\n2,,,41\n", ":3: '41' is not a pocket of any wheel"},
            {"kind.csv", "#kind=french\n" + header + "1,,,00\n",
             ":3: '00' is not a pocket of the french wheel"},
            {"time.csv", header + "1,2023-13-01T10:00:00,,5\n",
             ":2: '2023-13-01T10:00:00' is not a time"},
            {"number.csv", header + "1,,,5\n3,,,6\n", ":3: draw '3' where draw 2 was expected"},
            {"torn.csv", header + "1,,,5\n2,2023-1", ":3: a row has 4 fields"},
            {"other.csv", "[Params]\nRoulette=1\n", ":1: the first line must be"},
            {"folder.csv", {}, ": the file cannot be read"},
            {"missing.csv", {}, ": the file cannot be read"},
        };
        for (const Case& c : cases) {
            if (!c.content.isNull()) dir.Write(c.name, c.content);
            Warnings warnings;
            PickFile(dir.file(c.name));
            Trigger(window, "actOpen");
            QVERIFY2(warnings.shown.size() == 1, c.name);
            QVERIFY2(warnings.shown.front().startsWith(dir.file(c.name) + c.message),
                     qPrintable(warnings.shown.front()));
            QCOMPARE(session.drawCount(), 2);
            QCOMPARE(session.kind(), RouletteKind::French);
        }
        // A spin list with a token of no pocket is refused whole, naming line and column.
        dir.Write("spins.txt", "1 2 3\n4, 37; 5\n");
        Warnings warnings;
        PickFile(dir.file("spins.txt"));
        Trigger(window, "actImportSpins");
        QCOMPARE(warnings.shown, QStringList{dir.file("spins.txt") +
                                             ":2:4: '37' is not a pocket of the french wheel"});
        QCOMPARE(session.drawCount(), 2);
    }

    // The files the command line's test reads: Open reads them as it does.
    void openReadsEveryFileAsTheCommandLineDoes() {
        test::DataDir dir;
        dir.CopyShippedLanguages();
        MainWindow window(dir.paths());
        Answers answers;
        answers.Install();
        for (const test::ReadGameCase& c : test::ReadGameCases()) {
            const QString file = QString::fromStdString(c.file);
            answers.next = {Answer::No, Answer::No};
            Trigger(window, "Francaise1");
            window.session().AddDraw(9);  // a game that a refused file must leave alone
            Warnings warnings;
            PickFile(file);
            Trigger(window, "actOpen");
            if (c.kind == "error") {
                QCOMPARE(warnings.shown.size(), 1);
                QVERIFY2(
                    warnings.shown.front().startsWith(file + ":" + QString::number(c.number) + ":"),
                    qPrintable(warnings.shown.front()));
                QCOMPARE(window.session().drawCount(), 1);
                continue;
            }
            QVERIFY2(warnings.shown.isEmpty(), qPrintable(file));
            QVERIFY2(KindName(window.session().kind()) == c.kind, qPrintable(file));
            QCOMPARE(window.session().drawCount(), c.number);
        }
    }

    void aSpinListOpenedIsNoFileOfTheGameAndAnEmptyFileIs() {
        test::DataDir dir;
        dir.CopyShippedLanguages();
        MainWindow window(dir.paths());
        dir.Write("spins.txt", "1 2 3\n");
        PickFile(dir.file("spins.txt"));
        Trigger(window, "actOpen");
        QCOMPARE(window.session().drawCount(), 3);
        // Save asks where rather than write a game file over the spin list.
        QCOMPARE(test::ShownTitle(&window), QString("Spinalyst*"));
        SetFilePickerHook([](FilePurpose) { return QString(); });
        Trigger(window, "actSave");
        QCOMPARE(dir.Read("spins.txt"), QByteArray("1 2 3\n"));
        Answers answers;
        answers.next = {Answer::No};
        answers.Install();
        dir.Write("new.csv", "");
        PickFile(dir.file("new.csv"));
        Trigger(window, "actOpen");
        QCOMPARE(window.session().drawCount(), 0);
        QCOMPARE(test::ShownTitle(&window), QString("new.csv — Spinalyst"));
        window.session().AddDraw(5);
        Trigger(window, "actSave");
        QVERIFY(dir.Read("new.csv").startsWith("#kind=french\ndraw,time,croupier,pocket\n1,"));
    }

    void importedSpinsArriveAsOneBatchAndExportMatchesTheCommandLine() {
        test::DataDir dir;
        dir.CopyShippedLanguages();
        MainWindow window(dir.paths());
        GameSession& session = window.session();
        session.AddDraw(5);
        int announcements = 0;
        connect(&session, &GameSession::drawsAdded, this, [&](int count) {
            ++announcements;
            QCOMPARE(count, 4);
        });
        dir.Write("spins.txt", "# tonight\n1 2\n36;0\n");
        PickFile(dir.file("spins.txt"));
        Trigger(window, "actImportSpins");
        QCOMPARE(announcements, 1);
        QCOMPARE(session.drawCount(), 5);
        QVERIFY(!session.game().log().drawTime(5).has_value());
        QCOMPARE(session.game().log().drawCroupier(5), 0);

        const std::vector<std::uint8_t> draws = {5, 1, 2, 36, 0};
        struct Case {
            StatsTab tab;
            std::string csv;
        } cases[] = {
            {FamilyTab(StatFamily::Simples),
             FamilyStatsCsv(StatFamily::Simples, RouletteKind::French, draws)},
            {StatsTab::Tableau, TableauCsv(RouletteKind::French, draws)},
            {StatsTab::Wheel,
             WheelTableCsv(WheelTable::Distances, RouletteKind::French, draws) + "\n" +
                 WheelTableCsv(WheelTable::Repeats, RouletteKind::French, draws) + "\n" +
                 WheelTableCsv(WheelTable::Sectors, RouletteKind::French, draws) + "\n" +
                 WheelTableCsv(WheelTable::Shades, RouletteKind::French, draws)},
        };
        for (const Case& c : cases) {
            window.findChild<QTabWidget*>("pcStats")->setCurrentIndex(int(c.tab));
            PickFile(dir.file("figures"));
            Trigger(window, "actExportStats");
            QCOMPARE(dir.Read("figures.csv").toStdString(), c.csv);
        }
    }

    // Random games on two wheels with spins both ways: the program's filters by wheel and by
    // direction, alone and with the others, give the figures the command line prints with the
    // same options; and such a game comes back whole from its file, the journal after a crash,
    // and convert.
    void wheelAndDirectionFiltersAgreeWithTheCommandLineAndSurviveEveryRoad() {
        const char* wheels[] = {"T3", "Wheel 2"};
        const char* croupiers[] = {"Alain", "Zoé"};
        for (const unsigned seed : {3u, 8u, 21u}) {
            test::DataDir dir;
            dir.CopyShippedLanguages();
            std::string game = "#kind=french\ndraw,time,croupier,pocket,wheel,direction\n";
            RandomSource rng(seed);
            for (int n = 1; n <= 500; ++n) {
                const unsigned r = rng.Next(RouletteKind::French);
                game += std::to_string(n) + ",," + croupiers[r % 2] + "," +
                        PocketText(rng.Next(RouletteKind::French)) + "," +
                        (r % 5 == 0 ? "" : wheels[(r / 5) % 2]) + "," +
                        (r % 7 == 0 ? "" : (n % 2 ? "cw" : "ccw")) + "\n";
            }
            dir.Write("evening.csv", QByteArray::fromStdString(game));
            const std::string file = dir.file("evening.csv").toStdString();
            const auto cli = [&](std::vector<std::string> args) {
                args.push_back(file);
                std::istringstream in;
                std::ostringstream out, err;
                if (cli::Run(args, in, out, err) != 0) return "failed: " + err.str();
                return out.str();
            };
            {
                MainWindow window(dir.paths());
                PickFile(dir.file("evening.csv"));
                Trigger(window, "actOpen");
                QCOMPARE(window.session().drawCount(), 500);
                auto* tabs = window.findChild<QTabWidget*>("pcStats");
                auto* wheelCheck = window.findChild<QCheckBox*>("cbNext3");
                auto* wheelList = window.findChild<QComboBox*>("cbWheel");
                auto* directionCheck = window.findChild<QCheckBox*>("cbNext4");
                auto* directionList = window.findChild<QComboBox*>("cbDirection");
                auto* croupierCheck = window.findChild<QCheckBox*>("cbNext2");
                auto* croupierList = window.findChild<QComboBox*>("cbCroupier");
                struct Case {
                    const char* wheel;      // nullptr: no wheel filter
                    const char* direction;  // nullptr: no direction filter
                    const char* croupier;   // nullptr: no croupier filter
                    bool last;              // the last 300 draws only
                } cases[] = {
                    {"T3", nullptr, nullptr, false},   {nullptr, "ccw", nullptr, false},
                    {"Wheel 2", "cw", nullptr, false}, {"T3", "ccw", "Zoé", false},
                    {"Wheel 2", "ccw", nullptr, true}, {nullptr, "cw", "Alain", true},
                };
                for (const Case& c : cases) {
                    const QString name = QString("%1 %2 %3 %4")
                                             .arg(c.wheel ? c.wheel : "-")
                                             .arg(c.direction ? c.direction : "-")
                                             .arg(c.croupier ? c.croupier : "-")
                                             .arg(c.last);
                    std::vector<std::string> options;
                    wheelCheck->setChecked(c.wheel != nullptr);
                    if (c.wheel) {
                        wheelList->setCurrentIndex(wheelList->findText(c.wheel));
                        options.insert(options.end(), {"--wheel", c.wheel});
                    }
                    directionCheck->setChecked(c.direction != nullptr);
                    if (c.direction) {
                        directionList->setCurrentIndex(std::string(c.direction) == "ccw" ? 1 : 0);
                        options.insert(options.end(), {"--direction", c.direction});
                    }
                    croupierCheck->setChecked(c.croupier != nullptr);
                    if (c.croupier) {
                        croupierList->setCurrentIndex(croupierList->findText(c.croupier));
                        options.insert(options.end(), {"--croupier", c.croupier});
                    }
                    // The range boxes answer a click, as a user changes them.
                    if (auto* range = window.findChild<QCheckBox*>(c.last ? "cbLast1" : "cbAll1");
                        !range->isChecked())
                        QTest::mouseClick(range, Qt::LeftButton);
                    if (c.last) {
                        window.findChild<QSpinBox*>("seAnalyse1")->setValue(300);
                        options.insert(options.end(), {"--last", "300"});
                    }
                    const auto with = [&](std::vector<std::string> args) {
                        args.insert(args.end(), options.begin(), options.end());
                        return cli(args);
                    };
                    std::string wheelTables;
                    for (const char* table : {"distances", "repeats", "sectors", "shades"})
                        wheelTables += (wheelTables.empty() ? "" : "\n") + with({"wheel", table});
                    const std::pair<StatsTab, std::string> pages[] = {
                        {FamilyTab(StatFamily::Pleins), with({"stats", "pleins"})},
                        {StatsTab::Wheel, wheelTables},
                        {StatsTab::Tableau, with({"tableau"})},
                    };
                    QVERIFY2(!window.statsArea().analysedDraws().empty(), qPrintable(name));
                    for (const auto& [tab, expected] : pages) {
                        tabs->setCurrentIndex(int(tab));
                        QFile::remove(dir.file("figures.csv"));
                        PickFile(dir.file("figures"));
                        Trigger(window, "actExportStats");
                        QVERIFY2(dir.Read("figures.csv").toStdString() == expected,
                                 qPrintable(name + " " + TabInfo(tab).name));
                    }
                }
                // Ended without its close path, as a killed program leaves the journal.
                window.session().AddDraw(17);
            }
            Answers answers;
            answers.next = {Answer::Yes};
            answers.Install();
            MainWindow window(dir.paths());
            window.OfferRestore();
            QCOMPARE(window.session().drawCount(), 501);
            PickFile(dir.file("again.csv"));
            Trigger(window, "actSaveAs");
            const std::string saved = dir.Read("again.csv").toStdString();
            // Every row of the file opened comes back with its wheel and direction.
            QCOMPARE(saved.substr(0, game.size()), game);
            std::istringstream in;
            std::ostringstream out, err;
            QCOMPARE(cli::Run({"convert", dir.file("again.csv").toStdString()}, in, out, err), 0);
            QCOMPARE(out.str(), saved);
        }
    }

    // The figures of every page but the bets, for the draws the panel selects, exactly as the
    // command line prints them for the same file and range.
    void everyPageWithFiguresExportsWhatTheCommandLinePrints() {
        test::DataDir dir;
        dir.CopyShippedLanguages();
        // Two croupiers with enough pairs each for the dealer test.
        std::string game = "#kind=french\ndraw,time,croupier,pocket\n";
        RandomSource rng(11);
        for (int n = 1; n <= 400; ++n)
            game += std::to_string(n) + ",," + (n <= 200 ? "Alain" : "\"Zoé, \"\"Z\"\"\"") + "," +
                    PocketText(rng.Next(RouletteKind::French)) + "\n";
        dir.Write("evening.csv", QByteArray::fromStdString(game));
        // A plan for the strategy lab to play: a Martingale on the red chip placed below.
        dir.Write("spinalyst.ini", "[Progression]\nName=martingale\nStopWin=5\n");
        MainWindow window(dir.paths());
        PickFile(dir.file("evening.csv"));
        Trigger(window, "actOpen");
        QCOMPARE(window.session().drawCount(), 400);
        window.session().ClickTable(226, 176, MouseButton::Left);
        QCOMPARE(window.session().ledger().totalStake(), Cents{100});
        QTest::mouseClick(window.findChild<QCheckBox*>("cbLast1"), Qt::LeftButton);
        auto* last = window.findChild<QSpinBox*>("seAnalyse1");
        last->setValue(300);

        const std::string file = dir.file("evening.csv").toStdString();
        const auto cli = [&](std::vector<std::string> args) {
            args.insert(args.end(), {"--last", "300", file});
            std::istringstream in;
            std::ostringstream out, err;
            if (cli::Run(args, in, out, err) != 0) return "failed: " + err.str();
            return out.str();
        };
        auto* tabs = window.findChild<QTabWidget*>("pcStats");
        auto* exportItem = window.findChild<QAction*>("actExportStats");
        for (int t = 0; t < statsTabCount; ++t) {
            const auto tab = StatsTab(t);
            tabs->setCurrentIndex(t);
            std::string expected;
            if (tab == StatsTab::Wheel) {
                for (const char* table : {"distances", "repeats", "sectors", "shades"})
                    expected += (expected.empty() ? "" : "\n") + cli({"wheel", table});
            } else if (tab == StatsTab::Heat) {
                expected = cli({"wheel", "shades"});
            } else if (tab >= StatsTab::FirstFamily && tab < StatsTab::Tableau) {
                const auto family = StatFamily(t - int(StatsTab::FirstFamily));
                expected = cli({"stats", std::string(StatFamilyName(family))});
            } else if (tab == StatsTab::Tableau) {
                expected = cli({"tableau"});
            } else if (tab == StatsTab::Strategy) {
                expected = cli({"backtest", "--bet", "red=1", "--progression", "martingale",
                                "--stop-win", "5"});
            } else if (tab == StatsTab::Fairness) {
                auto* page = qobject_cast<FairnessPage*>(tabs->currentWidget());
                if (page->scanRunning())
                    QVERIFY(QSignalSpy(page, &FairnessPage::sectorScanFinished).wait(60000));
                expected = cli({"fairness"});
                // The one-sided rows too: each of the 37 pockets and the best arc once scanned.
                int pocketExcess = 0;
                for (std::size_t at = 0;
                     (at = expected.find("\nexcess/pocket,", at)) != std::string::npos; ++at)
                    ++pocketExcess;
                QCOMPARE(pocketExcess, 37);
                QVERIFY(expected.find("\nexcess/sector,best,") != std::string::npos);
            } else {
                QVERIFY2(!exportItem->isEnabled(), TabInfo(tab).name);
                continue;
            }
            QVERIFY2(exportItem->isEnabled(), TabInfo(tab).name);
            QFile::remove(dir.file("figures.csv"));
            PickFile(dir.file("figures"));
            exportItem->trigger();
            QVERIFY2(dir.Read("figures.csv").toStdString() == expected, TabInfo(tab).name);
        }
        // The Table page exports the shades of the scale it shows.
        window.findChild<WheelFigures*>()->SetScale(HeatScale::Deviation);
        tabs->setCurrentIndex(int(StatsTab::Heat));
        PickFile(dir.file("figures"));
        exportItem->trigger();
        QCOMPARE(
            dir.Read("figures.csv").toStdString(),
            cli({"wheel", "shades", "--scale", std::string(HeatScaleName(HeatScale::Deviation))}));
    }

    void aDrawIsOnDiskBeforeTheViewsShowIt() {
        test::DataDir dir;
        dir.CopyShippedLanguages();
        MainWindow window(dir.paths());
        QByteArray journalAtInsert;
        connect(window.findChild<DrawsPanel*>()->model(), &QAbstractItemModel::rowsInserted, this,
                [&] { journalAtInsert = dir.Read("current-game.csv"); });
        QTest::mouseClick(window.findChild<InputPanel*>("pnlSaisie")->inputLabel(17),
                          Qt::LeftButton);
        QVERIFY2(journalAtInsert.endsWith(",17\n"), journalAtInsert.constData());
        window.session().UndoDraw();
        QCOMPARE(dir.Read("current-game.csv"),
                 QByteArray("#kind=french\ndraw,time,croupier,pocket\n"));
    }

    void theRestoreQuestionCountsAndDatesInTheLanguage() {
        struct Case {
            const char* language;
            QByteArray draws;
            QString question;
        } cases[] = {
            {"EN", "1,,,17\n", "Restore the unsaved game of 1 draw from 10 Dec 2026 15:50?"},
            {"EN", "1,,,17\n2,,,5\n",
             "Restore the unsaved game of 2 draws from 10 Dec 2026 15:50?"},
            {"FR", "1,,,17\n",
             "Restaurer la partie non enregistrée de 1 tirage du 10 déc. 2026 15:50\u00a0?"},
            {"FR", "1,,,17\n2,,,5\n",
             "Restaurer la partie non enregistrée de 2 tirages du 10 déc. 2026 15:50\u00a0?"},
        };
        for (const Case& c : cases) {
            test::DataDir dir;
            dir.CopyShippedLanguages();
            dir.Write("spinalyst.ini", QByteArray("[Params]\nLanguage=") + c.language + "\n");
            dir.Write("current-game.csv", "#kind=french\ndraw,time,croupier,pocket\n" + c.draws);
            QFile journal(dir.file("current-game.csv"));
            QVERIFY(journal.open(QIODevice::ReadWrite));
            QVERIFY(journal.setFileTime(QDateTime(QDate(2026, 12, 10), QTime(15, 50)),
                                        QFileDevice::FileModificationTime));
            journal.close();
            MainWindow window(dir.paths());
            Answers answers;
            answers.next = {Answer::No};
            answers.Install();
            window.OfferRestore();
            QCOMPARE(answers.asked, QStringList{c.question});
        }
    }

    void aCrashedGameIsOfferedAtTheNextStart() {
        test::DataDir dir;
        dir.CopyShippedLanguages();
        std::string before;
        {
            // Destroyed without its close path, as a killed program would leave it.
            MainWindow window(dir.paths());
            PlayAGame(window);
            before = GameText(window);
        }
        dir.Write("current-game.csv", dir.Read("current-game.csv") + "504,2024-01-");
        Answers answers;
        answers.next = {Answer::Yes};
        answers.Install();
        Warnings warnings;
        auto window = std::make_unique<MainWindow>(dir.paths());
        window->OfferRestore();
        QCOMPARE(answers.asked.size(), 1);
        QVERIFY2(answers.asked.front().startsWith("Restore the unsaved game of 503 draws from "),
                 qPrintable(answers.asked.front()));
        QCOMPARE(warnings.shown.size(), 1);
        QVERIFY(warnings.shown.front().startsWith("1 damaged line "));
        QCOMPARE(GameText(*window), before);
        QCOMPARE(window->session().kind(), RouletteKind::American);
        QCOMPARE(test::ShownTitle(window.get()), QString("Spinalyst*"));
        // The journal goes on from the restored game, whole again.
        window->session().AddDraw(9);
        QCOMPARE(dir.Read("current-game.csv").toStdString(), GameText(*window));

        // A clean close keeps it as the previous game, which the menu brings back.
        answers.next = {Answer::No};
        window->close();
        QVERIFY(!QFile::exists(dir.file("current-game.csv")));
        window.reset();  // the program ends
        MainWindow next(dir.paths());
        next.OfferRestore();
        QCOMPARE(answers.asked.size(), 2);  // nothing to restore: no question
        Trigger(next, "actRestorePrevious");
        QCOMPARE(GameText(next), dir.Read("previous-game.csv").toStdString());
        QCOMPARE(next.session().drawCount(), 504);
    }

    void aDamagedJournalComesBackWithoutItsDamagedLinesAndIsKeptAsItWas() {
        test::DataDir dir;
        dir.CopyShippedLanguages();
        const QByteArray damaged =
            "#kind=french\ndraw,time,croupier,pocket\n1,,,2\n2,,,99\n3,,,29\n4,,,5\n";
        dir.Write("current-game.csv", damaged);
        MainWindow window(dir.paths());
        Answers answers;
        answers.next = {Answer::Yes};
        answers.Install();
        Warnings warnings;
        window.OfferRestore();
        QCOMPARE(answers.asked.size(), 1);
        QVERIFY2(answers.asked.front().startsWith("Restore the unsaved game of 3 draws"),
                 qPrintable(answers.asked.front()));
        const std::vector<std::uint8_t> pockets = {2, 29, 5};
        QVERIFY(std::ranges::equal(window.session().game().log().draws(), pockets));
        QCOMPARE(warnings.shown.size(), 1);
        const QStringList said = warnings.shown.front().split('\n');
        QCOMPARE(said.size(), 2);
        QCOMPARE(said[0], QString("1 damaged line of the unsaved game was left out (line 4)"));
        const QStringList copies =
            QDir(dir.file("")).entryList({"current-game.damaged-*.csv"}, QDir::Files);
        QCOMPARE(copies.size(), 1);
        QCOMPARE(said[1], "The journal as it was is kept in " + dir.file(copies.front()));
        QCOMPARE(dir.Read(copies.front()), damaged);
        window.session().journal()->WaitForBatch();
        QCOMPARE(dir.Read("current-game.csv").toStdString(), GameText(window));
    }

    void aBatchTheJournalDidNotFinishIsLeftOutWholeAndSaidSo() {
        test::DataDir dir;
        dir.CopyShippedLanguages();
        dir.Write("current-game.csv",
                  "#kind=french\ndraw,time,croupier,pocket\n1,,,2\n2,,,3\n3,,,4\n4,,");
        dir.Write("current-game.csv.batch", "1 1000\n");
        MainWindow window(dir.paths());
        Answers answers;
        answers.next = {Answer::Yes};
        answers.Install();
        Warnings warnings;
        window.OfferRestore();
        QCOMPARE(window.session().drawCount(), 1);
        QCOMPARE(warnings.shown,
                 QStringList{"The last batch of 999 draws had not been written whole when the "
                             "program stopped, and was left out"});
    }

    void theDataFolderIsClearedOfWhatInterruptedWritesLeft() {
        test::DataDir dir;
        dir.CopyShippedLanguages();
        const QStringList stale = {".spinalyst.ini.Ab12Cd", ".croupiers.Ab12Cd",
                                   ".current-game.csv.Ab12Cd", ".previous-game.csv.Ab12Cd",
                                   ".croupiers.bak.Ab12Cd"};
        const QStringList others = {".notes.txt.Ab12Cd", "evening.csv"};
        for (const QString& name : stale + others) dir.Write(name, "x");
        MainWindow window(dir.paths());
        for (const QString& name : stale)
            QVERIFY2(!QFile::exists(dir.file(name)), qPrintable(name));
        for (const QString& name : others)
            QVERIFY2(QFile::exists(dir.file(name)), qPrintable(name));
        // A save into any folder clears the temporaries of its own file.
        dir.Write(".evening.csv.Zz99Yy", QByteArray(1000, 'x'));
        window.session().AddDraw(5);
        QVERIFY(window.keeper().SaveTo(dir.file("evening.csv")));
        QVERIFY(!QFile::exists(dir.file(".evening.csv.Zz99Yy")));
        QVERIFY(QFile::exists(dir.file(".notes.txt.Ab12Cd")));
    }

    void aSecondCopyJournalsApartAndNeverTouchesTheFirstCopysGame() {
        test::DataDir dir;
        dir.CopyShippedLanguages();
        MainWindow first(dir.paths());
        first.session().AddDraw(5);
        first.session().AddDraw(6);
        const QByteArray live = dir.Read("current-game.csv");
        Answers answers;
        answers.next = {Answer::Yes, Answer::No};
        answers.Install();
        {
            MainWindow second(dir.paths());
            second.OfferRestore();
            QVERIFY(answers.asked.isEmpty());
            QVERIFY2(second.statusBar()->currentMessage().contains(dir.file("current-game-2.csv")),
                     qPrintable(second.statusBar()->currentMessage()));
            second.session().AddDraw(17);
            QVERIFY(dir.Read("current-game-2.csv").endsWith(",17\n"));
            answers.next = {Answer::No};
            second.close();
            QCOMPARE(answers.asked.size(), 1);  // the save question, and no more
        }
        QVERIFY(dir.Read("previous-game-2.csv").endsWith(",17\n"));
        QCOMPARE(dir.Read("current-game.csv"), live);
        QVERIFY(!QFile::exists(dir.file("previous-game.csv")));
        first.session().AddDraw(7);
        QVERIFY(dir.Read("current-game.csv").endsWith(",7\n"));
        QCOMPARE(first.session().drawCount(), 3);
    }

    void aRestoredGameBelongsToItsFileAgainAndStaysUnsaved() {
        test::DataDir dir;
        dir.CopyShippedLanguages();
        dir.Write("evening.csv", "#kind=french\ndraw,time,croupier,pocket\n1,,,5\n");
        {
            // Destroyed without its close path, as a killed program would leave it.
            MainWindow window(dir.paths());
            PickFile(dir.file("evening.csv"));
            Trigger(window, "actOpen");
            window.session().AddDraw(9);
            PickFile(dir.file("later.csv"));
            Trigger(window, "actSaveAs");
            window.session().AddDraw(10);
        }
        Answers answers;
        answers.next = {Answer::Yes};
        answers.Install();
        MainWindow window(dir.paths());
        window.OfferRestore();
        QCOMPARE(window.session().drawCount(), 3);
        QCOMPARE(test::ShownTitle(&window), QString("later.csv* — Spinalyst"));
        // Save goes to that file without asking for one.
        SetFilePickerHook([](FilePurpose) { return QString(); });
        Trigger(window, "actSave");
        QCOMPARE(test::ShownTitle(&window), QString("later.csv — Spinalyst"));
        const QByteArray saved = dir.Read("later.csv");
        QVERIFY2(saved.endsWith(",10\n"), saved.constData());
        QVERIFY(!saved.contains("#file="));
        QCOMPARE(saved.count('\n'), 5);
    }

    void aBatchTheJournalCannotKeepIsSaidAtOnceAndSaveAsOffered() {
        test::DataDir dir;
        dir.CopyShippedLanguages();
        MainWindow window(dir.paths());
        window.session().AddDraw(17);
        window.session().AddDraw(5);
        auto* indicator = window.findChild<QLabel*>("lblJournalProblem");
        QVERIFY(indicator && indicator->isHidden());
        FileSizeLimit fullDisk(4096);
        QStringList asked;
        bool warnedWhenAsked = false;
        SetQuestionHook([&](const QString& text) {
            asked << text;
            warnedWhenAsked = !indicator->isHidden() &&
                              indicator->toolTip().contains(dir.file("current-game.csv"));
            fullDisk.Lift();  // room is made before the game is saved
            return Answer::Yes;
        });
        PickFile(dir.file("kept.csv"));
        window.session().DrawRandomBatch(1000);
        // Told while nothing else happens: no later change is needed to learn it.
        QTRY_COMPARE(asked.size(), 1);
        QVERIFY2(asked.front().startsWith("The 1,000 draws just added could not be written to " +
                                          dir.file("current-game.csv")),
                 qPrintable(asked.front()));
        QVERIFY(warnedWhenAsked);
        QCOMPARE(indicator->text(), QString("Game not kept on disk"));
        QCOMPARE(test::ShownTitle(&window), QString("kept.csv — Spinalyst"));
        QCOMPARE(
            ParseGameFile(dir.Read("kept.csv").toStdString(), RouletteKind::French).log.drawCount(),
            1002);
        // With room again, the save's note of the file wrote the whole game: the warning went.
        QVERIFY(indicator->isHidden());
        window.session().AddDraw(3);
        QCOMPARE(ParseGameFile(dir.Read("current-game.csv").toStdString(), RouletteKind::French)
                     .log.drawCount(),
                 1003);
    }

    void theWarningStaysAsLongAsTheJournalCannotWrite() {
        test::DataDir dir;
        dir.CopyShippedLanguages();
        QDir(dir.file("")).mkdir("current-game.csv");
        MainWindow window(dir.paths());
        auto* indicator = window.findChild<QLabel*>("lblJournalProblem");
        window.session().AddDraw(1);
        QVERIFY(!indicator->isHidden());
        // The next keystroke's message takes the status line, not the warning's place.
        window.statusBar()->showMessage("17");
        window.session().AddDraw(2);
        QVERIFY(!indicator->isHidden());
        QDir(dir.file("")).rmdir("current-game.csv");
        window.session().AddDraw(3);
        QVERIFY(indicator->isHidden());
        QVERIFY(dir.Read("current-game.csv").endsWith(",3\n"));
    }

    void aFreezeComesBackAfterACrash() {
        test::DataDir dir;
        dir.CopyShippedLanguages();
        {
            // Destroyed without its close path, as a killed program would leave it.
            MainWindow window(dir.paths());
            for (Pocket p : {17, 5, 20}) window.session().AddDraw(p);
            QVERIFY(window.session().FreezePockets({17, 20}));
            window.session().AddDraw(17);
        }
        Answers answers;
        answers.next = {Answer::Yes};
        answers.Install();
        MainWindow window(dir.paths());
        window.OfferRestore();
        QCOMPARE(window.session().drawCount(), 4);
        QVERIFY(window.session().game().freeze() == (FrozenSet{3, {17, 20}}));
    }

    void theBetsComeBackWithTheGameAfterACrashAndFromItsFile() {
        test::DataDir dir;
        dir.CopyShippedLanguages();
        std::string account;
        {
            // Destroyed without its close path, as a killed program would leave it.
            MainWindow window(dir.paths());
            GameSession& session = window.session();
            session.ClickTable(55, 23, MouseButton::Left);  // straight up on 3
            session.AddDraw(3);
            session.AddDraw(5);
            session.ClickTable(216, 176, MouseButton::Left);  // red
            session.AddDraw(1);
            session.AddDraw(2);
            session.UndoDraw();
            session.ClearBets();
            session.AddDraw(8);
            session.ClickTable(288, 176, MouseButton::Left);  // black, in force at the end
            account = Account(session);
            QCOMPARE(session.ledger().history().size(), std::size_t(3));
        }
        Answers answers;
        answers.next = {Answer::Yes};
        answers.Install();
        MainWindow window(dir.paths());
        window.OfferRestore();
        QCOMPARE(window.session().drawCount(), 4);
        QCOMPARE(Account(window.session()), account);
        QCOMPARE(window.findChild<QLabel*>("lbTotalStake")->text().contains("1,00"), true);

        // Saved and opened again, the game brings its bets back too.
        PickFile(dir.file("bets.csv"));
        Trigger(window, "actSave");
        QVERIFY(dir.Read("bets.csv").contains("#stakes=plein:3=100\n"));
        Trigger(window, "Nouveau1");
        QCOMPARE(window.session().ledger().history().size(), std::size_t(0));
        PickFile(dir.file("bets.csv"));
        Trigger(window, "actOpen");
        QCOMPARE(Account(window.session()), account);

        // New stakes on a saved game are not in its file: the save question guards them.
        answers.next = {Answer::Cancel};
        window.session().ClickTable(216, 176, MouseButton::Left);
        Trigger(window, "Nouveau1");
        QCOMPARE(answers.asked.size(), 2);
        QCOMPARE(window.session().drawCount(), 4);
    }

    void aGameOpenedThatTheJournalCannotKeepIsWarnedOfWithoutAQuestion() {
        test::DataDir dir;
        dir.CopyShippedLanguages();
        dir.Write("evening.csv", "#kind=french\ndraw,time,croupier,pocket\n1,,,5\n2,,,6\n");
        QDir(dir.file("")).mkdir("current-game.csv");
        MainWindow window(dir.paths());
        auto* indicator = window.findChild<QLabel*>("lblJournalProblem");
        Answers answers;
        answers.Install();
        PickFile(dir.file("evening.csv"));
        Trigger(window, "actOpen");
        // Its draws are safe in their file: the journal's failure is shown, and nothing asked.
        QTRY_VERIFY(!indicator->isHidden());
        QVERIFY(answers.asked.isEmpty());
        QCOMPARE(test::ShownTitle(&window), QString("evening.csv — Spinalyst"));
        QCOMPARE(window.session().drawCount(), 2);
    }

    void aJournalThatCannotBeWrittenIsReportedOnceAndDrawsGoOn() {
        test::DataDir dir;
        dir.CopyShippedLanguages();
        QDir(dir.file("")).mkdir("current-game.csv");
        MainWindow window(dir.paths());
        window.session().AddDraw(1);
        QVERIFY(window.statusBar()->currentMessage().contains("current-game.csv"));
        window.statusBar()->clearMessage();
        window.session().AddDraw(2);
        QCOMPARE(window.statusBar()->currentMessage(), QString());
        QCOMPARE(window.session().drawCount(), 2);
    }
};

QTEST_MAIN(GameFilesTest)
#include "game_files_test.moc"
