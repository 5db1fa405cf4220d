// The evaluator as the contestants' page calls it from its worker, compiled
// to WebAssembly: files come in as bytes, answers go out as JSON texts. Every
// cost and score the page shows is computed and printed here, by the
// evaluator's and the judge's own code; the page never computes one.

#include "wasm/PageApi.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <exception>
#include <limits>
#include <new>
#include <optional>
#include <string>
#include <vector>

#include "base/Json.h"
#include "drawing/Drawing.h"
#include "evaluator/Evaluation.h"
#include "evaluator/KnownAnswers.h"
#include "evaluator/Report.h"
#include "grading/BestOf.h"
#include "grading/Printable.h"
#include "grading/Standing.h"
#include "scoring/Cost.h"
#include "text/TextModeBuf.h"
#include "wasm/Share.h"

#if defined(__EMSCRIPTEN__)
#include <emscripten/emscripten.h>
#else
#define EMSCRIPTEN_KEEPALIVE
#endif

namespace {

// One evaluated submission, kept so that its blocks can be drawn, the best of
// several taken and all of them compared.
struct TKept {
  bool accepted = false;
  std::string contestant;
  std::vector<Rezultat> results;               // Each block's, in submission order.
  std::vector<std::vector<Tocka>> placements;  // Each block's centres.
  TStanding standing{0, false};                // Once every block has its cost.

  void add(const TResitev& resitev, const Rezultat& rezultat) {
    results.push_back(rezultat);
    placements.push_back(resitev.tocke);
  }
  // The standing of the blocks, with each case's counting placement or not.
  TStanding standingOf(int cases, bool withPlacements) const {
    TStanding standing(cases, withPlacements);
    TResitev resitev;
    for (std::size_t b = 0; b < results.size(); ++b) {
      if (withPlacements) resitev.tocke = placements[b];
      standing.add(resitev, results[b]);
    }
    return standing;
  }
};

// An accepted submission whose blocks from its share's first line on wait for
// the helper's costs; meanwhile the last of them may be scored here.
struct TAwaiting {
  TKept kept;
  std::size_t start = 0;  // The share's first byte.
  int firstLine = 0;      // Its first line.
  struct TBlock {
    std::size_t index;  // Among kept.results.
    int line;           // Its case line.
  };
  std::vector<TBlock> blocks;
  std::size_t scoredHere = 0;  // Of the blocks, the last ones scored here.
};

struct TSession {
  std::vector<TTestCase> testCases;
  std::vector<TKept> submissions;
  std::optional<TAwaiting> awaiting;
  std::vector<double> scored;  // The helper's last share: line, case, cost for each block.
  std::string answer;          // The last answer, alive until the next call.
};

TSession& session() {
  static TSession instance;
  return instance;
}

const char* answer(std::string text) {
  session().answer = std::move(text);
  return session().answer.c_str();
}

std::string errorAnswer(const std::string& why) {
  return TJson().beginObject().key("error").text(why).endObject().str();
}

// Runs a call's body; whatever it throws becomes the answer
// {"error": "<why>"}, since nothing may cross into the page's script.
template <typename Body>
const char* guarded(Body body) {
  try {
    return answer(body());
  } catch (const std::bad_alloc&) {
    return answer(errorAnswer("out of memory"));
  } catch (const std::exception& error) {
    return answer(errorAnswer(error.what()));
  } catch (...) {
    return answer(errorAnswer("unexpected error"));
  }
}

const TKept& kept(int submission) {
  const std::vector<TKept>& all = session().submissions;
  if (submission < 0 || submission >= static_cast<int>(all.size())) {
    throw std::out_of_range("no submission " + std::to_string(submission));
  }
  return all[submission];
}

// The lines around `line` of a file, read as the evaluator reads it, each
// with its number, its first bytes as the judge quotes them, and its length.
void writeExcerpt(TJson& json, std::string_view bytes, int line) {
  TTextBytes text(bytes);
  std::string vrstica;
  json.key("excerpt").beginArray();
  for (int number = 1; number <= line + 3 && std::getline(text, vrstica); ++number) {
    if (number < line - 3) continue;
    json.beginArray().number(number).text(vrstica.substr(0, kQuotedLineCap));
    json.number(static_cast<long long>(vrstica.size())).endArray();
  }
  json.endArray();
}

// Where and why a check failed: its file (1 the input, 2 the submission), the
// line concerned, the check, its message's arguments (cut as quoted lines
// are) for a translation, the lines around, and the file's first bytes.
void writeFailure(TJson& json, const TEvaluation& evaluation, std::string_view bytes) {
  json.key("failure").beginObject();
  json.key("file").number(static_cast<int>(evaluation.failedFile));
  json.key("line").number(evaluation.failedLine);
  json.key("check").number(evaluation.failedCheck);
  json.key("arguments").beginArray();
  for (const std::string& argument : evaluation.failedArguments) json.text(cutLines(argument));
  json.endArray();
  writeExcerpt(json, bytes, evaluation.failedLine);
  json.key("head").text(std::string(bytes.substr(0, 4096)));
  json.endObject();
}

// The answer for an evaluated submission, which is kept; `failed` holds the
// bytes of the file a check failed in. A submission shared with the helper
// also answers "helped": the blocks whose costs the helper gave.
std::string answerFor(TKept kept, const TEvaluation& evaluation, std::string_view failed,
                      int helped = -1) {
  TSession& s = session();
  const int cases = static_cast<int>(s.testCases.size());
  kept.standing = kept.standingOf(cases, false);
  TJson json;
  json.beginObject().key("report").text(evaluation.report);
  json.key("shown").text(cutLines(evaluation.report));
  json.key("echo").text(evaluation.echo);
  json.key("cases").number(cases);
  if (kept.accepted) {
    kept.contestant = evaluation.contestant;
    json.key("contestant").text(kept.contestant).key("blocks").beginArray();
    for (std::size_t b = 0; b < kept.results.size(); ++b) {
      const Rezultat& r = kept.results[b];
      const bool counts = kept.standing.countingBlock(r.caseNo) == static_cast<int>(b);
      json.beginArray().number(r.caseNo).text(costInReport(r.cena)).boolean(counts).endArray();
    }
    json.endArray().key("answered").number(kept.standing.answered());
    json.key("total").text(costInReport(kept.standing.total()));
  } else if (evaluation.failedFile != TFailedFile::kNone) {
    writeFailure(json, evaluation, failed);
  }
  if (helped >= 0) json.key("helped").number(helped);
  s.submissions.push_back(std::move(kept));
  return json.endObject().str();
}

// Evaluates and keeps a submission. With `from` above 0 the blocks from the
// share that starts there are left to the helper: an accepted submission
// with such blocks waits, answering {"awaiting": their number}.
std::string evaluate(std::string_view input, std::string_view submission, std::size_t from) {
  TSession& s = session();
  s.awaiting.reset();
  TAwaiting awaiting;
  awaiting.start = from > 0 ? shareStart(submission, from) : std::string_view::npos;
  if (awaiting.start != std::string_view::npos) {
    const long long lines = linesBefore(submission, awaiting.start);
    if (lines < std::numeric_limits<int>::max()) awaiting.firstLine = static_cast<int>(lines) + 1;
  }
  TKept& kept = awaiting.kept;
  const TBlockVisitor keep = [&kept](const TResitev& resitev, const Rezultat& rezultat) {
    kept.add(resitev, rezultat);
  };
  // A block left to the helper counts 0 until its cost comes.
  const TBlockScorer scorer = [&awaiting](int caseLine, const TResitev& resitev) {
    if (awaiting.firstLine > 0 && caseLine >= awaiting.firstLine) {
      awaiting.blocks.push_back({awaiting.kept.results.size(), caseLine});
      return 0.0;
    }
    return placementCost(resitev.testCase->radii, resitev.tocke);
  };
  TTextBytes inputText(input), submissionText(submission);
  TEvaluation evaluation = evaluateTexts(inputText, submissionText, &keep, &scorer);
  // The input is the same for every submission kept since the last reset:
  // its cases are kept once, for drawing, standings and the best of them.
  if (s.testCases.empty()) s.testCases = std::move(evaluation.testCases);
  kept.accepted = evaluation.report.compare(0, 3, "OK\n") == 0;
  if (kept.accepted && !awaiting.blocks.empty()) {
    kept.contestant = evaluation.contestant;
    TJson json;
    json.beginObject().key("awaiting").number(static_cast<long long>(awaiting.blocks.size()));
    s.awaiting = std::move(awaiting);
    return json.endObject().str();
  }
  return answerFor(std::move(kept), evaluation,
                   evaluation.failedFile == TFailedFile::kInput ? input : submission);
}

TAwaiting& awaiting() {
  std::optional<TAwaiting>& awaiting = session().awaiting;
  if (!awaiting) throw std::logic_error("no submission awaits the helper's costs");
  return *awaiting;
}

// Scores a block left to the helper here, by the evaluator's code.
void scoreHere(TAwaiting& awaiting, const TAwaiting::TBlock& block) {
  Rezultat& rezultat = awaiting.kept.results[block.index];
  rezultat.cena = placementCost(session().testCases[rezultat.caseNo - 1].radii,
                                awaiting.kept.placements[block.index]);
}

// While the helper's costs are still to come: up to `count` more of the
// blocks left to it scored here, from the last back, where the helper comes
// last. Answers how many are still left to it.
std::size_t scoreAwaiting(std::size_t count) {
  TAwaiting& a = awaiting();
  for (; count > 0 && a.scoredHere < a.blocks.size(); --count) {
    scoreHere(a, a.blocks[a.blocks.size() - 1 - a.scoredHere++]);
  }
  return a.blocks.size() - a.scoredHere;
}

// The awaiting submission finished with the helper's costs, `scored` as
// mvScoreShare leaves them, for the share that starts at byte `start`. A
// block the helper did not score on the same line with the same case number
// (a share of other bytes, or none at all) is scored here, unless it was
// meanwhile.
std::string finish(long long start, const double* scored, std::size_t count) {
  TAwaiting a = std::move(awaiting());
  session().awaiting.reset();
  TKept& kept = a.kept;
  const bool sameShare = start == static_cast<long long>(a.start);
  int helped = 0;
  for (std::size_t i = 0; i + a.scoredHere < a.blocks.size(); ++i) {
    const TAwaiting::TBlock& block = a.blocks[i];
    if (sameShare && i < count) {
      const double* helper = scored + 3 * i;
      if (helper[0] + a.firstLine - 1 == block.line &&
          helper[1] == kept.results[block.index].caseNo) {
        kept.results[block.index].cena = helper[2];
        ++helped;
        continue;
      }
    }
    scoreHere(a, block);
  }
  TEvaluation evaluation;
  evaluation.report = successBlock(kept.results, evaluation.echo);
  evaluation.contestant = kept.contestant;
  return answerFor(std::move(kept), evaluation, {}, helped);
}

// Every kept submission side by side, each scored as the judge scores it:
// against the kept submission `reference`, or, for -1, against each case's
// least cost among the accepted ones. A refused submission scores 0.
std::string compare(int reference) {
  const TSession& s = session();
  if (reference != -1 && !kept(reference).accepted) {
    throw std::invalid_argument("the reference is refused");
  }
  TJson json;
  json.beginObject();
  if (reference != -1) {
    // As the judge, which refuses such a reference.
    std::vector<int> leftOut;
    for (int caseNo = 1; caseNo <= kept(reference).standing.cases(); ++caseNo) {
      if (!kept(reference).standing.answers(caseNo)) leftOut.push_back(caseNo);
    }
    if (!leftOut.empty()) {
      json.key("leftOut").beginArray();
      for (int caseNo : leftOut) json.number(caseNo);
      return json.endArray().endObject().str();
    }
  }
  TBestOf best(s.testCases);
  std::vector<int> columnOf;  // Each of best's columns' place among the kept.
  for (std::size_t k = 0; k < s.submissions.size(); ++k) {
    if (!s.submissions[k].accepted) continue;
    best.add(s.submissions[k].standing);
    columnOf.push_back(static_cast<int>(k));
  }
  const std::vector<double> yardsticks = yardsticksOf(
      reference == -1 ? best.leastCosts() : kept(reference).standing.costs(), kDefaultFloor);
  json.key("yardsticks").beginArray();
  for (double yardstick : yardsticks) json.text(costCell(yardstick));
  json.endArray().key("cases").beginArray();
  for (const TTestCase& testCase : s.testCases) {
    const int winner = best.winner(testCase.number);
    json.beginArray().number(testCase.number).number(winner < 0 ? -1 : columnOf[winner]);
    for (const TKept& k : s.submissions) {
      const double cena = k.accepted ? k.standing.cost(testCase.number) : -1;
      json.text(cena < 0 ? std::string() : costInReport(cena));
    }
    json.endArray();
  }
  json.endArray().key("scores").beginArray();
  for (const TKept& k : s.submissions) {
    const TScore score = scoreAgainst(
        k.accepted ? k.standing : TStanding(static_cast<int>(s.testCases.size()), false),
        yardsticks);
    json.beginArray().text(shortestDecimal(score.total));
    for (double caseScore : score.cases) json.text(shortestDecimal(caseScore));
    json.endArray();
  }
  return json.endArray().endObject().str();
}

}  // namespace

extern "C" {

// Room for a file's bytes, which the page fills and frees; null where there
// is none.
EMSCRIPTEN_KEEPALIVE char* mvAlloc(int size) {
  return size < 0 ? nullptr : static_cast<char*>(std::malloc(static_cast<std::size_t>(size) + 1));
}
EMSCRIPTEN_KEEPALIVE void mvFree(char* bytes) { std::free(bytes); }

// Forgets the submissions evaluated so far and the input's cases: the page
// starts afresh at each grading.
EMSCRIPTEN_KEEPALIVE void mvReset() {
  session().submissions.clear();
  session().testCases.clear();
}

// Grades a placement of a thousand circles over and over, and forgets it: a
// browser compiles its fastest code for what has run often, and this way the
// contestant's first grading runs on it from its start.
EMSCRIPTEN_KEEPALIVE void mvWarmUp() {
  std::string input = "Mirvasta\n1\n\n1\n1000\n", submission = "000000\nMirvasta\n";
  for (int i = 0; i < 1000; ++i) input += "0.02" + std::to_string(i % 10) + "\n";
  unsigned state = 1;
  for (int block = 0; block < 25; ++block) {
    submission += "1\n";
    for (int i = 0; i < 1000; ++i) {
      state = state * 1103515245u + 12345u;
      submission += "0." + std::to_string(state % 100000) + " 0." +
                    std::to_string((state >> 8) % 100000) + "\n";
    }
  }
  guarded([&] { return evaluate(input, submission, 0); });
  mvReset();
}

// The evaluator's known answers, as the native build checks them before it
// grades: {"fault": ""} where this build grades them right, otherwise what
// differs; the page grades nothing then.
EMSCRIPTEN_KEEPALIVE const char* mvKnownAnswers() {
  return guarded(
      [] { return TJson().beginObject().key("fault").text(knownAnswerFault()).endObject().str(); });
}

// Evaluates a submission against the input file, as the evaluator does, and
// keeps it. Answers {"report": the report's bytes, "shown": the same with
// long lines cut, "echo": the standard output's bytes, "cases": the input's
// number of cases (0 where it is refused)}, and for an accepted submission
// "contestant": its number, "blocks": [[case number, cost, whether the
// block counts for its case], ...], "answered": the cases answered, "total":
// the sum of each answered case's least cost, each cost as the report prints
// it; for a refused one "failure" (see writeFailure).
//
// With `from` above 0, the helper is scoring the share that starts at or
// after byte `from` (mvScoreShare): an accepted submission with blocks there
// answers {"awaiting": their number} instead, mvScoreAwaiting scores some of
// them here while the helper's costs are still to come, and mvFinish
// answers as above once they are in, or once none is left to the helper.
EMSCRIPTEN_KEEPALIVE const char* mvEvaluate(const char* input, int inputSize,
                                            const char* submission, int submissionSize, int from) {
  return guarded([&] {
    return evaluate(std::string_view(input, inputSize),
                    std::string_view(submission, submissionSize),
                    static_cast<std::size_t>(std::max(from, 0)));
  });
}

// For the helper: scores the share of a submission's bytes that starts at or
// after byte `from` (at least 1), against the input. Answers {"start": the
// share's first byte, or -1 where there is none, "scored": the address of
// the blocks' line (1 the share's first), case number and cost, three
// doubles each, "count": the blocks}; they stay until the next call.
EMSCRIPTEN_KEEPALIVE const char* mvScoreShare(const char* input, int inputSize, const char* bytes,
                                              int size, int from) {
  return guarded([&] {
    TSession& s = session();
    s.scored.clear();
    const std::string_view all(bytes, size);
    const std::size_t start = shareStart(all, static_cast<std::size_t>(std::max(from, 0)));
    std::vector<TTestCase> testCases;
    TTextBytes inputText(std::string_view(input, inputSize));
    if (start != std::string_view::npos) {
      readInput(inputText, testCases);
      for (const TScoredBlock& block : scoreShare(all.substr(start), testCases)) {
        s.scored.insert(s.scored.end(), {double(block.line), double(block.caseNo), block.cost});
      }
    }
    TJson json;
    json.beginObject().key("start");
    json.number(start == std::string_view::npos ? -1LL : static_cast<long long>(start));
    json.key("scored").number(
        static_cast<long long>(reinterpret_cast<std::uintptr_t>(s.scored.data())));
    json.key("count").number(static_cast<long long>(s.scored.size() / 3));
    return json.endObject().str();
  });
}

// While the awaiting submission's costs are still to come from the helper:
// up to `count` of the blocks left to it scored here, from the last back.
// Answers {"left": the blocks still left to the helper}.
EMSCRIPTEN_KEEPALIVE const char* mvScoreAwaiting(int count) {
  return guarded([&] {
    const std::size_t left = scoreAwaiting(static_cast<std::size_t>(std::max(count, 0)));
    return TJson().beginObject().key("left").number(static_cast<long long>(left)).endObject().str();
  });
}

// The awaiting submission's answer, as mvEvaluate's, with the helper's
// `count` blocks at `scored` (as mvScoreShare leaves them) for the share
// that starts at byte `start`; count 0 where the helper has none, and this
// call scores them itself. It also answers "helped": the blocks whose costs
// the helper gave.
EMSCRIPTEN_KEEPALIVE const char* mvFinish(int start, const double* scored, int count) {
  return guarded(
      [&] { return finish(start, scored, static_cast<std::size_t>(std::max(count, 0))); });
}

// The data of block `block` of kept submission `submission`, for drawing.
EMSCRIPTEN_KEEPALIVE const char* mvBlock(int submission, int block) {
  return guarded([&] {
    const TKept& k = kept(submission);
    if (block < 0 || block >= static_cast<int>(k.results.size())) {
      throw std::out_of_range("no block " + std::to_string(block));
    }
    const Rezultat& rezultat = k.results[block];
    return blockJson(
        {rezultat, session().testCases[rezultat.caseNo - 1].radii, k.placements[block]});
  });
}

// Every kept submission scored as the judge scores it, against the kept
// submission `reference`, or, for -1, against each case's least cost among
// the accepted ones. Answers {"yardsticks": [each case's, as the report
// prints a cost, or ""], "cases": [[case number, the kept submission of
// least cost or -1, its cost in each kept submission or ""], ...], "scores":
// [[score, each case's score, ...] for each kept submission]}, each score as
// the judge prints it; or, for a reference that leaves out cases, which the
// judge refuses, {"leftOut": [those cases]}.
EMSCRIPTEN_KEEPALIVE const char* mvCompare(int reference) {
  return guarded([&] { return compare(reference); });
}

// {"submission": a submission holding every case's best placement among the
// accepted submissions, as the merge tool writes it, with the first one's
// contestant number}.
EMSCRIPTEN_KEEPALIVE const char* mvBestOf() {
  return guarded([] {
    const TSession& s = session();
    TBestOf best(s.testCases);
    std::string contestant;
    for (const TKept& k : s.submissions) {
      if (!k.accepted) continue;
      if (contestant.empty()) contestant = k.contestant;
      best.add(k.standingOf(k.standing.cases(), true));
    }
    if (best.columns() == 0) throw std::invalid_argument("no submission is accepted");
    return TJson().beginObject().key("submission").text(best.text(contestant)).endObject().str();
  });
}

}  // extern "C"
