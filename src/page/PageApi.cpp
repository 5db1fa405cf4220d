// The evaluator as the contestants' page calls it from its worker, compiled
// to WebAssembly: files come in as bytes, answers go out as JSON texts. Every
// cost the page shows is computed and printed here, by the evaluator's own
// code; the page never computes one.

#include "page/PageApi.h"

#include <cstdlib>
#include <string>
#include <vector>

#include "drawing/Drawing.h"
#include "run/Evaluation.h"
#include "run/Report.h"
#include "text/TextModeBuf.h"
#include "toolkit/BestOf.h"

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

// Every accepted submission kept, in the order evaluated, as columns.
TBestOf bestOfKept(std::vector<int>& columns) {
  TSession& s = session();
  TBestOf best(s.testCases, static_cast<int>(s.submissions.size()));
  for (std::size_t k = 0; k < s.submissions.size(); ++k) {
    if (!s.submissions[k].accepted) continue;
    TBestOf own(s.testCases, 1);
    for (const TViewedBlock& block : s.submissions[k].blocks) {
      TResitev resitev;
      resitev.tocke = block.tocke;
      own.add(0, resitev, block.rezultat);
    }
    best.add(static_cast<int>(columns.size()), own);
    columns.push_back(static_cast<int>(k));
  }
  return best;
}

}  // namespace

extern "C" {

// Room for a file's bytes, which the page fills and frees.
EMSCRIPTEN_KEEPALIVE char* mvAlloc(int size) { return static_cast<char*>(std::malloc(size + 1)); }
EMSCRIPTEN_KEEPALIVE void mvFree(char* bytes) { std::free(bytes); }

// Forgets the submissions evaluated so far and the input's cases: the page
// starts afresh at each grading.
EMSCRIPTEN_KEEPALIVE void mvReset() {
  session().submissions.clear();
  session().testCases.clear();
}

// Evaluates a submission against the input file, as the evaluator does, and
// keeps it. Answers {"report": the report's bytes, "echo": the standard
// output's, "failedFile": 0, or 1 for the input and 2 for the submission
// where a check failed, "failedLine": the line concerned, "contestant": the
// contestant number of an accepted submission, "total": the sum of its
// costs, "blocks": [[case number, cost], ...]}, each cost as the report
// prints it.
EMSCRIPTEN_KEEPALIVE const char* mvEvaluate(const char* input, int inputSize,
                                            const char* submission, int submissionSize) {
  TSession& s = session();
  TKept kept;
  const TBlockVisitor keep = [&kept](const TResitev& resitev, const Rezultat& rezultat) {
    kept.blocks.push_back({rezultat, {}, resitev.tocke});
  };
  TTextBytes inputText(std::string_view(input, inputSize));
  TTextBytes submissionText(std::string_view(submission, submissionSize));
  const TEvaluation evaluation = evaluateTexts(inputText, submissionText, &keep);
  kept.accepted = evaluation.report.compare(0, 3, "OK\n") == 0;
  std::string json = "{\"report\":" + jsonString(evaluation.report) +
                     ",\"echo\":" + jsonString(evaluation.echo) +
                     ",\"failedFile\":" + std::to_string(static_cast<int>(evaluation.failedFile)) +
                     ",\"failedLine\":" + std::to_string(evaluation.failedLine);
  if (kept.accepted) {
    // The input is the same for every submission kept since the last reset:
    // its cases are read once, for drawing and for the best of them.
    if (s.testCases.empty()) {
      TTextBytes again(std::string_view(input, inputSize));
      readInput(again, s.testCases);
    }
    TTextBytes header(std::string_view(submission, submissionSize));
    std::getline(header, kept.contestant);
    double total = 0;
    json += ",\"contestant\":" + jsonString(kept.contestant) + ",\"blocks\":[";
    for (std::size_t b = 0; b < kept.blocks.size(); ++b) {
      const Rezultat& r = kept.blocks[b].rezultat;
      total += r.cena;
      json +=
          (b > 0 ? ",[" : "[") + std::to_string(r.caseNo) + ",\"" + costInReport(r.cena) + "\"]";
    }
    json += "],\"total\":\"" + costInReport(total) + "\"";
  }
  s.submissions.push_back(std::move(kept));
  return answer(json + "}");
}

// The data of block `block` of kept submission `submission`, for drawing.
EMSCRIPTEN_KEEPALIVE const char* mvBlock(int submission, int block) {
  TSession& s = session();
  TViewedBlock viewed = s.submissions.at(submission).blocks.at(block);
  viewed.radii = s.testCases.at(viewed.rezultat.caseNo - 1).radii;
  return answer(blockJson(viewed));
}

// The accepted submissions side by side: {"submissions": [their places among
// those kept], "cases": [[case number, winner's column or -1, cost or "" for
// each column], ...]}.
EMSCRIPTEN_KEEPALIVE const char* mvCompare() {
  std::vector<int> columns;
  const TBestOf best = bestOfKept(columns);
  std::string json = "{\"submissions\":[";
  for (std::size_t c = 0; c < columns.size(); ++c) {
    json += (c > 0 ? "," : "") + std::to_string(columns[c]);
  }
  json += "],\"cases\":[";
  for (const TTestCase& testCase : session().testCases) {
    json += (testCase.number > 1 ? ",[" : "[") + std::to_string(testCase.number) + "," +
            std::to_string(best.winner(testCase.number));
    for (std::size_t c = 0; c < columns.size(); ++c) {
      const double cena = best.cost(static_cast<int>(c), testCase.number);
      json += ",\"" + (cena < 0 ? std::string() : costInReport(cena)) + "\"";
    }
    json += "]";
  }
  return answer(json + "]}");
}

// A submission holding every case's best placement among the accepted
// submissions, as the merge tool writes it, with the first one's contestant
// number; "" where none is accepted.
EMSCRIPTEN_KEEPALIVE const char* mvBestOf() {
  std::vector<int> columns;
  const TBestOf best = bestOfKept(columns);
  if (columns.empty()) return answer("");
  return answer(best.text(session().submissions[columns[0]].contestant));
}

}  // extern "C"
