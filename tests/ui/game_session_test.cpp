#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTest>
#include <functional>

#include "core/draws/game_journal.h"
#include "ui/common/game_session.h"
#include "ui_test_support.h"

using namespace spinalyst;

namespace {

GameFile FileGame(RouletteKind kind, std::initializer_list<Pocket> pockets,
                  std::vector<std::string> croupierNames = {}) {
    GameFile game;
    game.kind = kind;
    game.croupierNames = std::move(croupierNames);
    const auto croupier = static_cast<std::int32_t>(game.croupierNames.size());
    for (Pocket p : pockets) game.log.Append(p, std::nullopt, croupier);
    return game;
}

const QByteArray frenchHead = "#kind=french\ndraw,time,croupier,pocket\n";

// A journal without the times of its draws, which the clock gives.
QByteArray Untimed(QByteArray journal) {
    static const QRegularExpression time("^(\\d+),[^,\n]+,", QRegularExpression::MultilineOption);
    return QString::fromUtf8(journal).replace(time, "\\1,,").toUtf8();
}

// Notes every signal of the session in order, by name, with what the journal held when the
// signal came.
struct Listener {
    QStringList heard;
    QList<QByteArray> journalThen;
    const test::DataDir& dir;

    Listener(GameSession& session, const test::DataDir& dataDir) : dir(dataDir) {
        auto note = [this, &session](const char* name) {
            return [this, &session, name] {
                heard << name;
                // A batch is written by a thread of its own, which this waits for: what it
                // finds was handed to the journal before the signal.
                if (session.journal()) session.journal()->WaitForBatch();
                journalThen << Untimed(dir.Read("current-game.csv"));
            };
        };
        QObject::connect(&session, &GameSession::gameReset, note("gameReset"));
        QObject::connect(&session, &GameSession::gameReplaced, note("gameReplaced"));
        QObject::connect(&session, &GameSession::drawsAdded, note("drawsAdded"));
        QObject::connect(&session, &GameSession::drawUndone, note("drawUndone"));
        QObject::connect(&session, &GameSession::croupiersChanged, note("croupiersChanged"));
        QObject::connect(&session, &GameSession::currentCroupierChanged,
                         note("currentCroupierChanged"));
        QObject::connect(&session, &GameSession::randomSourceChanged, note("randomSourceChanged"));
        QObject::connect(&session, &GameSession::betsChanged, note("betsChanged"));
        QObject::connect(&session, &GameSession::journalStateChanged, note("journalStateChanged"));
    }
    void Clear() {
        heard.clear();
        journalThen.clear();
    }
};

}  // namespace

class GameSessionTest final : public QObject {
    Q_OBJECT

private slots:
    // The views are connected first, as a page built before the journal would be; each still
    // finds the change on disk when it is told.
    void theJournalIsWrittenBeforeAnyViewIsTold() {
        test::DataDir dir;
        GameSession session(RouletteKind::French);
        Listener views(session, dir);
        session.KeepJournal(dir.paths().writeDir);
        struct Case {
            const char* what;
            std::function<void()> act;
            const char* signal;
            QByteArray journal;
        } cases[] = {
            {"a draw", [&] { session.AddDraw(17); }, "drawsAdded", frenchHead + "1,,,17\n"},
            {"a batch",
             [&] {
                 {
                     const GameSession::Batch batch(session);
                     session.AddDraw(0);
                     session.AddDraw(5);
                 }
             },
             "drawsAdded", frenchHead + "1,,,17\n2,,,0\n3,,,5\n"},
            {"an undo", [&] { session.UndoDraw(); }, "drawUndone", frenchHead + "1,,,17\n2,,,0\n"},
            {"spins imported",
             [&] {
                 session.ImportDraws({36, 36});
             },
             "drawsAdded", frenchHead + "1,,,17\n2,,,0\n3,,,36\n4,,,36\n"},
            {"a game from a file",
             [&] {
                 session.ReplaceGame(FileGame(RouletteKind::American, {37, 2}));
             },
             "gameReplaced", "#kind=american\ndraw,time,croupier,pocket\n1,,,00\n2,,,2\n"},
            // The journal of a new game waits for its first draw.
            {"a new game", [&] { session.NewGame(); }, "gameReset", QByteArray()},
        };
        for (const Case& c : cases) {
            views.Clear();
            c.act();
            QVERIFY2(views.heard == QStringList{c.signal}, c.what);
            QVERIFY2(views.journalThen.front() == c.journal, c.what);
        }
        // The games replaced and left are kept, the last one as the previous game.
        QCOMPARE(dir.Read("previous-game.csv"),
                 QByteArray("#kind=american\ndraw,time,croupier,pocket\n1,,,00\n2,,,2\n"));
    }

    // Starting and stopping a live plan move the chips: the journal holds them before the plan's
    // change is told.
    void aLivePlanIsJournaledBeforeItIsTold() {
        test::DataDir dir;
        GameSession session(RouletteKind::French);
        QList<QByteArray> journalThen;
        QObject::connect(&session, &GameSession::planChanged,
                         [&] { journalThen << dir.Read("current-game.csv"); });
        session.KeepJournal(dir.paths().writeDir);
        session.AddDraw(17);
        session.ClickTable(55, 23, MouseButton::Left);  // straight up on 3
        ProgressionSettings martingale;
        martingale.kind = Progression::Martingale;
        QVERIFY(!session.StartPlan(martingale, {}));
        session.AddDraw(5);  // a loss: the stake doubles
        QVERIFY(dir.Read("current-game.csv").contains("#stakes=plein:3=200"));
        session.StopPlan();  // the chips go back to the base bet
        QCOMPARE(journalThen.size(), 2);
        // The doubled stake noted after the loss gave way to the base bet before the signal.
        QVERIFY(!journalThen.back().contains("plein:3=200"));
        QCOMPARE(journalThen.back(), dir.Read("current-game.csv"));
    }

    void eachOperationSaysWhatHappenedOnce() {
        test::DataDir dir;
        GameSession session(RouletteKind::French);
        session.LoadCroupiers(dir.paths().CroupierFile());
        Listener views(session, dir);
        struct Case {
            const char* what;
            std::function<void()> act;
            QStringList expected;
        } cases[] = {
            {"a pocket the wheel lacks", [&] { session.AddDraw(DoubleZero); }, {}},
            {"an undo of nothing", [&] { session.UndoDraw(); }, {}},
            {"an empty batch",
             [&] {
                 { const GameSession::Batch batch(session); }
             },
             {}},
            {"a new croupier",
             [&] { session.AddCroupier("Zoé"); },
             {"croupiersChanged", "currentCroupierChanged"}},
            {"the same croupier again", [&] { session.SetCurrentCroupier(1); }, {}},
            // Random draws carry no croupier.
            {"a random batch",
             [&] { session.DrawRandomBatch(3); },
             {"drawsAdded", "currentCroupierChanged"}},
            {"the file source",
             [&] { session.SetRandomSource(randomFromFile); },
             {"randomSourceChanged"}},
            {"no random draw from a file", [&] { session.DrawRandomBatch(3); }, {}},
            {"a game with a croupier the table lacks",
             [&] {
                 session.ReplaceGame(FileGame(RouletteKind::NoZero, {1, 2}, {"Alain"}));
             },
             {"croupiersChanged", "gameReplaced"}},
            {"a game with known croupiers",
             [&] { session.ReplaceGame(FileGame(RouletteKind::French, {3}, {"Zoé"})); },
             {"gameReplaced"}},
            {"a chip on the table",
             [&] { session.ClickTable(55, 23, MouseButton::Left); },
             {"betsChanged"}},
            {"a kind switch", [&] { session.SwitchKind(RouletteKind::American); }, {"gameReset"}},
        };
        for (const Case& c : cases) {
            views.Clear();
            c.act();
            QVERIFY2(views.heard == c.expected,
                     qPrintable(c.what + (": " + views.heard.join(' '))));
        }
        QCOMPARE(session.kind(), RouletteKind::American);
        QCOMPARE(session.croupiers().CroupierIndex("Alain"), std::optional<std::int32_t>(2));
        QVERIFY(session.ledger().betList().bets.empty());
    }

    void aJournalThatStopsIsToldOnceAndAgainWhenItWorks() {
        test::DataDir dir;
        QVERIFY(QDir(dir.file("")).mkdir("current-game.csv"));
        GameSession session(RouletteKind::French);
        session.KeepJournal(dir.paths().writeDir);
        QList<bool> states;
        QStringList order;
        connect(&session, &GameSession::journalStateChanged, this, [&](bool working) {
            states << working;
            order << "journal";
        });
        connect(&session, &GameSession::drawsAdded, this, [&] { order << "draws"; });
        session.AddDraw(1);
        session.AddDraw(2);
        QCOMPARE(states, QList<bool>{false});
        QVERIFY(!session.journalWorking());
        // The user learns of the failure before the draw shows.
        QCOMPARE(order, (QStringList{"journal", "draws", "draws"}));
        QCOMPARE(session.drawCount(), 2);

        QVERIFY(QDir(dir.file("")).rmdir("current-game.csv"));
        session.NewGame();
        session.AddDraw(3);
        QCOMPARE(states, (QList<bool>{false, true}));
        QCOMPARE(Untimed(dir.Read("current-game.csv")), frenchHead + "1,,,3\n");
    }

    void aLeftoverJournalWaitsForADecision() {
        // Its last line torn, as a power cut leaves it.
        const QByteArray left = frenchHead + "1,,,7\n2,,,8\n3,2024-";
        struct Case {
            const char* what;
            std::function<void(GameSession&)> act;
            QByteArray journal;
            QByteArray previous;
        } cases[] = {
            // Only a new game: the question can still be asked.
            {"a new game", [](GameSession& s) { s.NewGame(); }, left, QByteArray()},
            {"a clean end before the question", [](GameSession& s) { s.RetireJournal(); }, left,
             QByteArray()},
            {"a draw", [](GameSession& s) { s.AddDraw(9); }, frenchHead + "1,,,9\n", left},
            {"declined", [](GameSession& s) { s.DeclineLeftover(); }, QByteArray(), left},
            {"restored",
             [](GameSession& s) {
                 s.RestoreGame(FileGame(RouletteKind::French, {7, 8}));
             },
             frenchHead + "1,,,7\n2,,,8\n", QByteArray()},
            {"another game opened",
             [](GameSession& s) { s.ReplaceGame(FileGame(RouletteKind::French, {4})); },
             frenchHead + "1,,,4\n", left},
        };
        for (const Case& c : cases) {
            test::DataDir dir;
            dir.Write("current-game.csv", left);
            GameSession session(RouletteKind::French);
            session.KeepJournal(dir.paths().writeDir);
            QVERIFY(session.leftoverJournal());
            c.act(session);
            // A game read in is written by the journal's thread, as a batch is.
            session.journal()->WaitForBatch();
            QVERIFY2(Untimed(dir.Read("current-game.csv")) == c.journal, c.what);
            QVERIFY2(dir.Read("previous-game.csv") == c.previous, c.what);
        }
    }
};

QTEST_MAIN(GameSessionTest)
#include "game_session_test.moc"
