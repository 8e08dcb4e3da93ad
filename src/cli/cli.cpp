#include "cli/cli.h"

#include <cerrno>
#include <cstring>
#include <iostream>

#include "cli/tableau_command.h"
#include "cli/wheel_command.h"

namespace spinalyst::cli {

namespace {

constexpr const char* helpText = R"(Usage: spinalyst-cli COMMAND [OPTIONS]

Runs the Spinalyst core on spin files and game files.

Commands:
  random --count N [--kind K] [--seed S]
      Print N pseudo-random pockets of kind K, one per line ("00" for the
      American double zero). Without --seed the generator is seeded from the
      clock; with it the output is the same at every run.
  analysed [ANALYSIS OPTIONS] FILE
      Read FILE ("-" for standard input) and print the analysed draws, one
      pocket a line, oldest first; when FILE is a game file whose draws name
      their wheel or the direction of their spin, print them as a game file
      instead (renumbered from 1), so that nothing of them is lost.
  stats FAMILY [ANALYSIS OPTIONS] FILE
      Print, as CSV, the statistics of each slot of the bet family FAMILY over
      the analysed draws of FILE: the header label,hits,since_last,max_gap,
      repeats, then one line per slot in slot order. FAMILY is one of simples,
      dzscols, sizains, transversales, finales, carres, chevaux, pleins.
      since_last counts the analysed draws since the slot's last hit (all of
      them when it never came); max_gap is its longest wait, the hit counted;
      repeats counts hits that followed a hit of the same slot.
  tableau [ANALYSIS OPTIONS] FILE
      Print, as CSV, the scores of every number 1 to 36 over the analysed
      draws of FILE, one line per number: the weighted score of each bet
      family on it (split scaled by 36/60), their total, gap (draws since it
      last came out), neighbours (how close the draws fell to it on the
      wheel) and ratio (gap x 100 / (total + neighbours), or 999 when
      neighbours is 0). gap and ratio are empty for a number that did not
      come out. The header is number,colour,parity,half,dozen,column,sixline,
      corner,street,split,straight,total,gap,neighbours,ratio on one line.
  simulate [--kind K] [--neighbours N] [--summary] --bet SLOT=AMOUNT
           [--bet SLOT=AMOUNT ...] FILE
      Settle the bets against every draw of FILE, in order, as the betting
      table does (the analysis options do not apply), and print CSV: the
      header draw,pocket,stake,win,balance and one row per draw, or with
      --summary the header draws,staked,won,balance and one row. Amounts
      have two decimals. A win includes the stakes of the winning bets.
      SLOT is KIND:INDEX with KIND and INDEX one of plein 0 to 36 (00 or 37
      for the American double zero), cheval 1 to 60, transversale 1 to 14,
      carre 1 to 23, sizain 1 to 11, colonne 1 to 3, douzaine 1 to 3,
      rougenoir, pairimpair or manquepasse 1 or 2; or one of red, black,
      even, odd, low, high. The slots on 0 (cheval 58 to 60, transversale 13
      and 14, carre 23) are on the French table only; plein 0 is on the
      French and American tables. AMOUNT is positive with at most two
      decimals, up to 100000 a slot; the same slot given twice adds up.
      --neighbours N (1 to 17) stakes the amount of every plein bet on the N
      pockets either side of it on the wheel too.
  backtest PLAN [--summary] [ANALYSIS OPTIONS] FILE
      Play the betting plan PLAN over the analysed draws of FILE, in order,
      in sessions one after another: when a money rule ends one, the next
      starts at the next draw with a fresh bankroll and the progression at
      its start. Prints CSV: the header session,first_draw,spins,staked,won,
      balance,lowest,end and one row per session (first_draw is the number
      of its first draw in FILE; lowest is its lowest balance after a spin,
      0 when it never went below; end is win, loss, ruin, limit, spins, or
      data when the draws ran out first; spins counts idle spins too; a
      session that rules end before its first spin has none, and the next
      starts one draw later), or with --summary the header
      sessions,spins,staked,won,balance,ruined and one row.
  montecarlo PLAN --sessions N --max-spins M [--kind K] [--seed S]
             [--threads T] [--wheel-from FILE]
      Play N sessions (1 to 10000000) of PLAN on a simulated wheel, each
      ended by its money rules or after M spins, and print CSV
      measure,value,low,high: the shares of sessions ending by ruin,
      stop_win, stop_loss, limit and max_spins with their 95% Wilson
      intervals; final_mean (with a 95% interval), final_median, final_p05,
      final_p95 (nearest-rank percentiles) of the final balance; staked_mean
      and spins_mean; return_per_unit, the sessions' result over their total
      stake with its 95% interval; expected_return_per_unit, its exact value
      on that wheel (with --rule, that of the bets the sessions staked).
      The wheel is fair, or with --wheel-from draws pockets as often as
      they came out in FILE (whose kind it takes without --kind).
      The same seed (default 1) gives the same figures on any number of
      threads T (default: one a core).

  wheel TABLE [--scale S] [ANALYSIS OPTIONS] FILE
      Print, as CSV, a wheel table of the analysed draws of FILE. TABLE is
      one of:
        distances  distance,hits,since_last,max_gap: one line per number of
                   steps along the wheel from the previous draw, 0 upwards
        repeats    gap,hits,since_last,max_gap: one line per repeat interval
                   that occurred, gap being the draws between a pocket and
                   its next occurrence (0: twice in a row)
        sectors    pocket,neighbourhood,hits,since_last,max_gap: per pocket,
                   the five pockets centred on it on the wheel
        shades     pocket,hits,shade: the heat grey of each pocket, 0 (black)
                   to 240 (light grey). --scale spread, the default, goes
                   from the most frequent pocket to the least; --scale
                   deviation from 3 standard deviations above the expected
                   count to 3 below, 120 being as expected
  fairness [ANALYSIS OPTIONS] [--simulations N] [--seed S] FILE
      Test whether the analysed draws of FILE look like a fair wheel and fair
      croupiers. Prints CSV test,subject,statistic,df,p_value,p_adjusted:
      pockets,all and the families dozens, columns, red_black, even_odd,
      low_high (chi-square, green pockets as a cell of their own); pocket,P
      (z-score, exact two-sided binomial p); sector,k=3 ... sector,k=18 (hits
      of the hottest arc of k pockets on the wheel) and sector,best, whose p
      comes from N simulated fair games (default 10000, from 100 to 10000000;
      seed S, default 1); dealer,NAME (chi-square of the wheel distances
      between consecutive draws of a croupier with at least 50 such pairs,
      counted in the direction of the ball: the other way round the wheel
      for a draw spun anticlockwise), and when the croupier spun both ways,
      dealer_cw,NAME and dealer_ccw,NAME, the same over each direction's
      spins alone;
      runs,red_black, runs,even_odd, runs,low_high (z of the runs test, green
      draws skipped); serial,positions (lag-1 correlation of wheel positions).
      p_adjusted is Holm's correction over the pockets, the five families,
      the arc lengths, the croupiers and the three runs tests. Then the
      one-sided tests of excess, whose statistic is the excess (hits over
      their expected number, minus 1): excess/pocket,P (exact binomial
      P(X >= hits), Holm over the pockets) and excess/sector,best (the best
      arc, whose simulated p counts only hotter arcs as extreme).
  plan [ANALYSIS OPTIONS] FILE
      Print, as CSV, how many spins it takes to tell a bias from chance with
      80% power, for the one-sided exact binomial test a player would use to
      find one pocket among all (level 0.05 / pockets), or one sector of
      adjacent pockets among all of its length. The header subject,size,draws,
      detectable_excess,spins_for_10,spins_for_20,spins_for_50,
      spins_for_break_even,leader,leader_excess,spins_for_leader on one line,
      then the rows pocket,1 and sector,3, sector,5, sector,9. An excess is
      a fraction: 0.2 is 20% more often than fair. detectable_excess is the
      smallest (to 0.001) the analysed draws detect; spins_for_X the least
      number of spins that detects +X%, and spins_for_break_even the excess
      above which straight-up bets win (0.0278 French, 0.0556 American; empty
      without zero); leader is the set with most hits, its pockets joined by
      "-", with its excess and the spins that would detect it if it is real.
      Figures beyond 100000000 spins are left empty.
  confirm [--freeze F --pockets P,P,...] [ANALYSIS OPTIONS] FILE
      Test a set of pockets chosen after F draws (without the options, the
      set the game file's #freeze line keeps, as the program saves it) on the
      analysed draws that came after them only, and print CSV draws,hits,expected,p_value,ev,
      ev_low,ev_high,kelly,half_kelly: p_value is the exact one-sided
      binomial P(X >= hits), with no correction since the set was chosen
      before these draws; ev the return per unit staked flat on every pocket
      of the set, 36 x hits / (pockets x draws) - 1, with ev_low and ev_high
      from the 95% Clopper-Pearson interval of the hit rate (all three empty
      without draws); kelly the share of a bankroll that a bet on the set
      justifies at the interval's lower rate, 0 when that rate does not pay.
  convert [--kind K] FILE
      Print FILE, a spin list or a game file, as a game file that starts
      with its kind line (#kind=american, #kind=french or #kind=nozero).
      Without --kind, a game file keeps the kind its kind line names; a file
      without one is french when all its pockets are, else the smallest
      kind that holds them all.
  help, --help, -h
      Show this text.

Options:
  --kind K    american, french or nozero (default french)
  --count N   how many pockets to draw, 1 to 1000000000
  --seed S    a whole number from 0 to 18446744073709551615

PLAN, the betting plan of backtest and montecarlo:
  --bet SLOT=AMOUNT [--neighbours N]
              the base bets at one unit, as simulate takes them; before
              each spin the progression gives the units u and every bet is
              staked at u times its base amount
  --rule "WHEN => BETS"
              instead of --bet (as often as wanted): before each spin, every
              rule whose WHEN holds on the spins before it adds its BETS to
              the spin's base bets; when none holds the spin is idle, nothing
              is staked, and the progression and the stops wait. WHEN is one
              condition or several joined by "and" (one "any" at most):
                always                  always
                last S                  the last spin hit S
                streak S >= n           the last n spins all hit S
                absent S >= n           none of the last n spins hit S
                hits S in m <= k        at most k of the last m spins hit S
                hits S in m >= k        at least k of the last m spins hit S
              S is a SLOT, or "any FAMILY" (simple, douzaine, colonne,
              sizain, transversale, carre, cheval, plein): true when true
              for some slot of the family, and "that" is those slots. A zero
              hits no even chance, dozen or column. BETS is TARGET=AMOUNT
              joined by commas; TARGET is a SLOT, "that", or "opposite" (the
              other side of even chances, the other dozens or columns of
              that, less that). The history is the analysed draws before the
              spin (backtest) or the session's own spins (montecarlo). E.g.
              --rule "absent any douzaine >= 12 => that=1"
  --system FILE
              the PLAN options of a system file, one a line ("--rule absent
              any douzaine >= 12 => that=1"), "#" starting a comment; the
              options given beside it replace the file's, except --bet and
              --rule, which do not go with it
  --progression NAME
              flat (u = 1; the default); martingale (2u after a loss, 1
              after a win); grand-martingale (2u + 1 after a loss);
              dalembert (u + 1 after a loss, u - 1 after a win, never below
              1); fibonacci (1, 1, 2, 3, 5 ...: a step on after a loss, two
              back after a win); labouchere (u is the first plus the last
              number of the line; a loss appends u, a win crosses both off;
              an empty line starts again); paroli (2u after a win, 1 after
              the third win in a row or a loss); sequence (the entries of
              --sequence in turn). A spin is won when it pays back more than
              it cost, lost when less; otherwise nothing changes.
  --line 1,2,3,4          labouchere's starting line (the default shown)
  --sequence 1,2,4,8,16   the sequence's entries (the default shown)
  --advance-on loss|win   the sequence moves on after a loss (default) or a
                          win, goes back to its first entry after the other,
                          and wraps after its last
  --bankroll A    the session is ruined when what is left of A cannot cover
                  the next spin's stake
  --table-max A   the largest stake on one slot (at most 100000); when the
                  progression asks for more, --at-limit reset (default: back
                  to its start), cap (the largest units that fit) or stop
                  (the session ends, limit)
  --stop-win A, --stop-loss A
                  the session ends once its balance reaches +A, or -A
  --max-spins M   the session ends after M spins (1 to 1000000000)
  --la-partage    on a zero, even-chance bets give back half their stake,
                  rounded down to the cent (french table only)
  After each spin: if it was played, settle; stop-win, stop-loss, max-spins
  (spins observed, idle ones too); if it was played, the next units; then
  the rules give the next spin's bets; then the table maximum on each slot;
  then the bankroll. A bankroll below a first stake that is not idle, or a
  bet above the table maximum, is a usage error.

Analysis options, the settings of the program's analysis panel:
  --from A    first draw of the range, 1 or more (default 1); a start beyond
              the newest draw starts at the newest draw
  --to B      last draw of the range, 1 or more (default: the newest draw);
              an end beyond the newest draw ends there, an end before the
              start analyses the start draw alone
  --last N    analyse the last N draws instead, 1 to 9999; --from then has no
              effect, and --to may not be given
  --step S    take one draw in S, 1 to 9 (default 1), counted back from the
              end of the range: the newest draw of the range is taken only
              with a step of 1
  --follow FAMILY[=ENTRY]
              analyse only the draws whose preceding draw shows ENTRY of
              FAMILY; without ENTRY, the outcome of the newest draw
  --croupier NAME
              analyse only the draws of the croupier NAME (exact match); a
              name nobody has analyses every draw. Not with --follow.
  --wheel NAME
              of the draws the options above take, only those of the wheel
              NAME (exact match); a name no draw has takes every draw
  --direction D
              of the draws the options above take, only those whose spin
              went the direction D: cw (clockwise) or ccw (anticlockwise)

  FAMILY and its entries (compared without regard to case):
    numero        a pocket of the wheel; 00 (or 37) for the American double zero
    transversale  1-3, 4-6 ... 34-36
    secteur       a pocket, as numero: it and its two neighbours either side
                  on the wheel
    sizain        1-6, 7-12 ... 31-36
    colonne       1, 2, 3
    douzaine      1, 2, 3
    rougenoir     rouge, noir
    pairimpair    pair, impair
    manquepasse   manque, passe
  These tests apply their arithmetic to 0 and 00 too: 0 counts as pair,
  manque and colonne 3; 00 as impair, passe and colonne 1; neither is rouge
  or noir.

Files:
  A spin list holds pockets separated by white space, "," or ";". "00" is the
  American double zero; "#" starts a comment that runs to the end of the line.
  Without --kind its pockets settle its kind as a game file's do; an empty
  file is a game of no draw. The program's File > Open reads files the same way.
  A game file is CSV whose first line is "draw,time,croupier,pocket" (or
  the kind line "#kind=K" and then that header; --kind wins over the kind
  line, and without either the file is read as the smallest kind that holds
  its pockets, french when it can), then one row per draw: its number (1, 2 ...), its time as
  YYYY-MM-DDTHH:MM:SS+HH:MM (local time and its offset from UTC; without the
  offset, the local time of this machine) or empty, its croupier's name or
  empty, its pocket. The header "draw,time,croupier,pocket,wheel,direction"
  adds the wheel's name (or empty) and the direction of the spin (cw, ccw,
  or empty when unknown) to every row.

Exit status: 0 on success; 1 when the output cannot be written (a full disk,
a closed pipe); 2 on a usage error or a malformed file. Each failure gives a
one-line message on standard error (FILE:LINE:COLUMN: for errors in a spin
list, FILE:LINE: for a bad row of a game file).
)";

}  // namespace

int Run(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
        std::ostream& err) {
    try {
        if (args.empty()) throw UsageError{"no command given; try 'spinalyst-cli --help'"};
        const std::string& command = args.front();
        if (command == "--help" || command == "-h" || command == "help") {
            out << helpText;
            return 0;
        }
        if (command == "random") return RandomCommand(args, out);
        if (command == "analysed") return AnalysedCommand(args, in, out, err);
        if (command == "stats") return StatsCommand(args, in, out, err);
        if (command == "tableau") return TableauCommand(args, in, out, err);
        if (command == "simulate") return SimulateCommand(args, in, out, err);
        if (command == "backtest") return BacktestCommand(args, in, out, err);
        if (command == "montecarlo") return MonteCarloCommand(args, in, out, err);
        if (command == "wheel") return WheelCommand(args, in, out, err);
        if (command == "fairness") return FairnessCommand(args, in, out, err);
        if (command == "plan") return PlanCommand(args, in, out, err);
        if (command == "confirm") return ConfirmCommand(args, in, out, err);
        if (command == "convert") return ConvertCommand(args, in, out, err);
        throw UsageError{"unknown command '" + command + "'; try 'spinalyst-cli --help'"};
    } catch (const UsageError& e) {
        err << "spinalyst-cli: " << e.message << "\n";
        return exitUsage;
    }
}

int FinishOutput(int status, std::ostream& out, std::ostream& err) {
    // Output is buffered: a full disk or a closed pipe may show only at this last flush.
    if (out.flush()) return status;
    const int error = errno;
    err << "spinalyst-cli: cannot write the output"
        << (error != 0 ? std::string(": ") + std::strerror(error) : std::string()) << "\n";
    return exitOutput;
}

}  // namespace spinalyst::cli
