// The evaluator as the contestants' page calls it from its worker, compiled
// to WebAssembly: files come in as bytes, answers go out as JSON texts. Every
// cost and score the page shows is computed and printed here, by the
// evaluator's and the judge's own code; the page never computes one.

#include "wasm/PageApi.h"

#include <cstdlib>
#include <exception>
#include <new>
#include <string>
#include <vector>

#include "base/Format.h"
#include "drawing/Drawing.h"
#include "evaluator/Evaluation.h"
#include "evaluator/KnownAnswers.h"
#include "evaluator/Report.h"
#include "grading/BestOf.h"
#include "grading/Standing.h"
#include "text/TextModeBuf.h"

#if defined(__EMSCRIPTEN__)
#include <emscripten/emscripten.h>
#else
#define EMSCRIPTEN_KEEPALIVE
#endif

namespace {

// One evaluated submission, kept so that its blocks can be drawn and the best
// of several taken.
struct TKept {
  bool accepted = false;
  std::string contestant;
  std::vector<TViewedBlock> blocks;
  TStanding standing{0, true};
};

struct TSession {
  std::vector<TTestCase> testCases;
  std::vector<TKept> submissions;
  std::string answer;  // The last answer, alive until the next call.
};

TSession& session() {
  static TSession instance;
  return instance;
}

// A JSON string of any bytes: each byte stands for the character of its
// value, so that the page recovers the bytes exactly.
std::string jsonString(const std::string& bytes) {
  static const char* const kHex = "0123456789abcdef";
  std::string json = "\"";
  for (unsigned char c : bytes) {
    if (c >= 0x20 && c < 0x7f && c != '"' && c != '\\') {
      json += static_cast<char>(c);
    } else {
      json += "\\u00";
      json += kHex[c >> 4];
      json += kHex[c & 15];
    }
  }
  return json + "\"";
}

const char* answer(std::string text) {
  session().answer = std::move(text);
  return session().answer.c_str();
}

// Runs a call's body; whatever it throws becomes the answer
// {"error": "<why>"}, since nothing may cross into the page's script.
template <typename Body>
const char* guarded(Body body) {
  try {
    return answer(body());
  } catch (const std::bad_alloc&) {
    return answer("{\"error\":\"out of memory\"}");
  } catch (const std::exception& error) {
    return answer("{\"error\":" + jsonString(error.what()) + "}");
  } catch (...) {
    return answer("{\"error\":\"unexpected error\"}");
  }
}

// Every accepted submission kept, in the order evaluated, as columns; their
// places among those kept in `places`.
TBestOf bestOfKept(std::vector<int>& places) {
  TSession& s = session();
  TBestOf best(s.testCases);
  for (std::size_t k = 0; k < s.submissions.size(); ++k) {
    if (!s.submissions[k].accepted) continue;
    best.add(s.submissions[k].standing);
    places.push_back(static_cast<int>(k));
  }
  return best;
}

const TKept& kept(int submission) {
  const std::vector<TKept>& all = session().submissions;
  if (submission < 0 || submission >= static_cast<int>(all.size())) {
    throw std::out_of_range("no submission " + std::to_string(submission));
  }
  return all[submission];
}

std::string evaluate(std::string_view input, std::string_view submission) {
  TSession& s = session();
  TKept kept;
  // The input is the same for every submission kept since the last reset:
  // its cases are read once, for drawing, standings and the best of them.
  if (s.testCases.empty()) {
    TTextBytes text(input);
    try {
      readInput(text, s.testCases);
    } catch (const EAssertion&) {
      s.testCases.clear();  // The evaluation below says why.
    }
  }
  kept.standing = TStanding(static_cast<int>(s.testCases.size()), true);
  const TBlockVisitor keep = [&kept](const TResitev& resitev, const Rezultat& rezultat) {
    kept.blocks.push_back({rezultat, {}, resitev.tocke});
    kept.standing.add(resitev, rezultat);
  };
  TTextBytes inputText(input), submissionText(submission);
  const TEvaluation evaluation = evaluateTexts(inputText, submissionText, &keep);
  kept.accepted = evaluation.report.compare(0, 3, "OK\n") == 0;
  std::string json = "{\"report\":" + jsonString(evaluation.report) +
                     ",\"echo\":" + jsonString(evaluation.echo) +
                     ",\"failedFile\":" + std::to_string(static_cast<int>(evaluation.failedFile)) +
                     ",\"failedLine\":" + std::to_string(evaluation.failedLine);
  if (kept.accepted) {
    kept.contestant = evaluation.contestant;
    json += ",\"contestant\":" + jsonString(kept.contestant) + ",\"blocks\":[";
    for (std::size_t b = 0; b < kept.blocks.size(); ++b) {
      const Rezultat& r = kept.blocks[b].rezultat;
      const bool counts = kept.standing.countingBlock(r.caseNo) == static_cast<int>(b);
      json += (b > 0 ? ",[" : "[") + std::to_string(r.caseNo) + ",\"" + costInReport(r.cena) +
              "\"," + (counts ? "1" : "0") + "]";
    }
    json += "],\"answered\":" + std::to_string(kept.standing.answered()) + ",\"total\":\"" +
            costInReport(kept.standing.total()) + "\"";
  }
  s.submissions.push_back(std::move(kept));
  return json + "}";
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

// The evaluator's known answers, as the native build checks them before it
// grades: {"fault": ""} where this build grades them right, otherwise what
// differs; the page grades nothing then.
EMSCRIPTEN_KEEPALIVE const char* mvKnownAnswers() {
  return guarded([] { return "{\"fault\":" + jsonString(knownAnswerFault()) + "}"; });
}

// Evaluates a submission against the input file, as the evaluator does, and
// keeps it. Answers {"report": the report's bytes, "echo": the standard
// output's, "failedFile": 0, or 1 for the input and 2 for the submission
// where a check failed, "failedLine": the line concerned, and for an
// accepted submission "contestant": its number, "blocks": [[case number,
// cost, 1 where the block counts for its case, else 0], ...], "answered":
// the cases answered, "total": the sum of each answered case's least cost},
// each cost as the report prints it.
EMSCRIPTEN_KEEPALIVE const char* mvEvaluate(const char* input, int inputSize,
                                            const char* submission, int submissionSize) {
  return guarded([&] {
    return evaluate(std::string_view(input, inputSize),
                    std::string_view(submission, submissionSize));
  });
}

// The data of block `block` of kept submission `submission`, for drawing.
EMSCRIPTEN_KEEPALIVE const char* mvBlock(int submission, int block) {
  return guarded([&] {
    const TKept& k = kept(submission);
    if (block < 0 || block >= static_cast<int>(k.blocks.size())) {
      throw std::out_of_range("no block " + std::to_string(block));
    }
    TViewedBlock viewed = k.blocks[block];
    viewed.radii = session().testCases[viewed.rezultat.caseNo - 1].radii;
    return blockJson(viewed);
  });
}

// The accepted submissions side by side, each scored as the judge scores
// it: against the kept submission `reference`, or, for -1, against each
// case's least cost among them all. Answers {"submissions": [their places
// among those kept], "cases": [[case number, winner's column or -1, cost or
// "" for each column], ...], "scores": [[score, each case's score, ...] for
// each column]}, each score as the judge prints it.
EMSCRIPTEN_KEEPALIVE const char* mvCompare(int reference) {
  return guarded([&] {
    std::vector<int> places;
    const TBestOf best = bestOfKept(places);
    const std::vector<double> yardsticks = yardsticksOf(
        reference == -1 ? best.leastCosts() : kept(reference).standing.costs(), kDefaultFloor);
    std::string json = "{\"submissions\":[";
    for (std::size_t c = 0; c < places.size(); ++c) {
      json += (c > 0 ? "," : "") + std::to_string(places[c]);
    }
    json += "],\"cases\":[";
    for (const TTestCase& testCase : session().testCases) {
      json += (testCase.number > 1 ? ",[" : "[") + std::to_string(testCase.number) + "," +
              std::to_string(best.winner(testCase.number));
      for (int c = 0; c < best.columns(); ++c) {
        const double cena = best.column(c).cost(testCase.number);
        json += ",\"" + (cena < 0 ? std::string() : costInReport(cena)) + "\"";
      }
      json += "]";
    }
    json += "],\"scores\":[";
    for (int c = 0; c < best.columns(); ++c) {
      const TScore score = scoreAgainst(best.column(c), yardsticks);
      json += (c > 0 ? ",[\"" : "[\"") + shortestDecimal(score.total) + "\"";
      for (double caseScore : score.cases) json += ",\"" + shortestDecimal(caseScore) + "\"";
      json += "]";
    }
    return json + "]}";
  });
}

// A submission holding every case's best placement among the accepted
// submissions, as the merge tool writes it, with the first one's contestant
// number; "" where none is accepted.
EMSCRIPTEN_KEEPALIVE const char* mvBestOf() {
  return guarded([] {
    std::vector<int> places;
    const TBestOf best = bestOfKept(places);
    if (places.empty()) return std::string();
    return best.text(session().submissions[places[0]].contestant);
  });
}

}  // extern "C"
