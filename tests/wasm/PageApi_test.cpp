#include "wasm/PageApi.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "base/Json.h"
#include "judge/Judge.h"
#include "merge/Merge.h"
#include "support/Run.h"
#include "support/TempFile.h"

namespace {

const std::string kInput = "Mirvasta\n2\n\n1\n2\n0.25\n0.25\n\n2\n1\n0.25\n";

std::string evaluate(const std::string& input, const std::string& submission) {
  return mvEvaluate(input.data(), static_cast<int>(input.size()), submission.data(),
                    static_cast<int>(submission.size()), 0);
}

// The page shows the report's bytes, and its lines cut as the judge cuts
// them; it lists each block's cost as the report prints it; and for a failed
// check it names the file, the line, the check and its message's arguments,
// with the lines around it, read as the evaluator reads them.
TEST(PageApi, AnswersWithTheEvaluatorsReportAndWhereItFailed) {
  const struct {
    std::string input, submission, answer;
  } cases[] = {
      {kInput, "123456\nMirvasta\n2\n0.5 0.5\n1\n0.3 0.5\n0.7 0.5\n\n",
       "{\"report\":\"OK\\u000a2\\u000a2 0.00000000000000000000e+00\\u000a1 "
       "2.04376385991605555303e-02\\u000a\",\"shown\":\"OK\\u000a2\\u000a2 "
       "0.00000000000000000000e+00\\u000a1 2.04376385991605555303e-02\\u000a\",\"echo\":"
       "\"Testni primer 2: cena 0.000000.\\u000aTestni primer 1: cena 0.020438.\\u000a\","
       "\"cases\":2,\"contestant\":\"123456\",\"blocks\":[[2,\"0.00000000000000000000e+00\","
       "true],[1,\"2.04376385991605555303e-02\",true]],\"answered\":2,\"total\":"
       "\"2.04376385991605555303e-02\"}"},
      // The contestant's own bytes come back exactly, each as a character.
      {kInput, "123456\r\nMirvasta\xe9\"\r\n",
       "{\"report\":\"Napaka [Tql25Mirvasta.cpp:249]: v drugi vrstici bi moral biti niz "
       "\\u0022Mirvasta\\u0022, ne pa \\u0022Mirvasta\\u00e9\\u0022\\u0022\\u000a-1\\u000a\","
       "\"shown\":\"Napaka [Tql25Mirvasta.cpp:249]: v drugi vrstici bi moral biti niz "
       "\\u0022Mirvasta\\u0022, ne pa \\u0022Mirvasta\\u00e9\\u0022\\u0022\\u000a-1\\u000a\","
       "\"echo\":\"\",\"cases\":2,\"failure\":{\"file\":2,\"line\":2,\"check\":249,"
       "\"arguments\":[\"Mirvasta\",\"Mirvasta\\u00e9\\u0022\"],\"excerpt\":[[1,\"123456\",6],"
       "[2,\"Mirvasta\\u00e9\\u0022\",10]],\"head\":\"123456\\u000d\\u000aMirvasta\\u00e9"
       "\\u0022\\u000d\\u000a\"}}"},
      {"Mirvasta\n1\n\n1\n2\n0.25\n", "123456\nMirvasta\n",
       "{\"report\":\"Napaka [Tql25Mirvasta.cpp:70]: manjka 7. vrstica\\u000a-1\\u000a\","
       "\"shown\":\"Napaka [Tql25Mirvasta.cpp:70]: manjka 7. vrstica\\u000a-1\\u000a\","
       "\"echo\":\"\",\"cases\":0,\"failure\":{\"file\":1,\"line\":7,\"check\":70,"
       "\"arguments\":[\"7\"],\"excerpt\":[[4,\"1\",1],[5,\"2\",1],[6,\"0.25\",4]],"
       "\"head\":\"Mirvasta\\u000a1\\u000a\\u000a1\\u000a2\\u000a0.25\\u000a\"}}"},
  };
  for (const auto& c : cases) {
    mvReset();
    EXPECT_EQ(c.answer, evaluate(c.input, c.submission));
  }
}

// A line of 2 MB is shown cut at the judge's 500 bytes, in the report, the
// message's arguments and the lines around; the report's bytes stay whole.
TEST(PageApi, CutsLongLinesAsTheJudgeDoes) {
  mvReset();
  const std::string line = "Mirvasta" + std::string(2 << 20, 'x');
  const std::string answer = evaluate(kInput, "123456\n" + line + "\n");
  const std::string cut = line.substr(0, 500);
  EXPECT_NE(std::string::npos, answer.find("\"arguments\":[\"Mirvasta\",\"" + cut +
                                           " [cut: 2097160 bytes in all]\"]"));
  EXPECT_NE(std::string::npos, answer.find("[2,\"" + cut + "\",2097160]"));
  const std::string shown = answer.substr(answer.find("\"shown\":"));
  EXPECT_LT(shown.find(" [cut: "), 600u);
  EXPECT_NE(std::string::npos, answer.find(line)) << "the report's own bytes";
}

// The best of the accepted submissions is the merge tool's, byte for byte.
TEST(PageApi, KeepsTheBestAsTheMergeToolDoes) {
  const std::string submissions[] = {"111111\nMirvasta\n1\n0.3 0.5\n0.7 0.5\n",
                                     "222222\nMirvasta\n3\n",
                                     "333333\nMirvasta\n2\n0.4 0.4\n1\n0.2 0.5\n0.8 0.5\n"};
  mvReset();
  TTempFile input(kInput), out;
  std::vector<std::unique_ptr<TTempFile>> files;
  std::vector<std::string> args = {input.path()};
  for (const std::string& submission : submissions) {
    evaluate(kInput, submission);
    files.push_back(std::make_unique<TTempFile>(submission));
    args.push_back(files.back()->path());
  }
  args.insert(args.end(), {"-o", out.path()});
  runMain(runMergeCommandLine, args);
  EXPECT_EQ(TJson().beginObject().key("submission").text(out.read()).endObject().str(), mvBestOf());
  // Every submission has its column, a refused one too, which scores 0.
  EXPECT_EQ(
      "{\"yardsticks\":[\"1.00000000000000006228e-09\",\"1.00000000000000006228e-09\"],"
      "\"cases\":[[1,2,\"2.04376385991605555303e-02\",\"\",\"0.00000000000000000000e+00\"],"
      "[2,2,\"\",\"\",\"0.00000000000000000000e+00\"]],"
      // Case 1 scores 1e-9 / 2.04376385991605555303e-02, the floor over the cost.
      "\"scores\":[[\"2.4464665894451073e-08\",\"4.8929331788902145e-08\",\"0\"],[\"0\",\"0\","
      "\"0\"],[\"1\",\"1\",\"1\"]]}",
      std::string(mvCompare(-1)));
}

// A reference that leaves out cases is refused, as the judge refuses it,
// naming them; so is a refused one.
TEST(PageApi, RefusesAReferenceTheJudgeRefuses) {
  mvReset();
  evaluate(kInput, "111111\nMirvasta\n2\n0.5 0.5\n");
  evaluate(kInput, "222222\nMirvasta\n3\n");
  EXPECT_EQ("{\"leftOut\":[1]}", std::string(mvCompare(0)));
  EXPECT_EQ("{\"error\":\"the reference is refused\"}", std::string(mvCompare(1)));
}

// A submission that answers a case twice, or leaves one out, scores in the
// page exactly as the judge scores it against the same reference.
TEST(PageApi, ScoresAsTheJudgeDoes) {
  const std::string reference = "100000\nMirvasta\n1\n0.3 0.5\n0.7 0.5\n2\n0.5 0.5\n";
  const std::string contestants[] = {
      "200000\nMirvasta\n1\n0.35 0.5\n0.65 0.5\n2\n0.5 0.5\n1\n0.32 0.5\n0.68 0.5\n",
      "300000\nMirvasta\n1\n0.31 0.5\n0.69 0.5\n"};
  for (const std::string& contestant : contestants) {
    SCOPED_TRACE(contestant);
    mvReset();
    evaluate(kInput, reference);
    evaluate(kInput, contestant);
    const std::string compared = mvCompare(0);
    TTempFile input(kInput), referenceFile(reference), contestantFile(contestant);
    TCapture out, err;
    ASSERT_EQ(0, runJudgeCommandLine("checker",
                                     {input.path(), referenceFile.path(), contestantFile.path()},
                                     stdin, out.file(), err.file()));
    std::string score = out.text();
    score.pop_back();
    EXPECT_NE(std::string::npos, compared.find("],[\"" + score + "\",")) << compared;
    EXPECT_NE("1", score);
  }
}

// The helper's answer for the share of `submission` sought from byte
// `from`: its start in the submission (-1 for none) and its blocks.
struct THelpersShare {
  long long start;
  std::vector<double> scored;
};

THelpersShare helpersShare(const std::string& input, const std::string& submission, int from) {
  // The helper gets the bytes from the one before `from`, and seeks from its byte 1.
  const std::string bytes = submission.substr(from - 1);
  const std::string answer = mvScoreShare(input.data(), static_cast<int>(input.size()),
                                          bytes.data(), static_cast<int>(bytes.size()), 1);
  long long start = 0, count = 0;
  unsigned long long scored = 0;
  EXPECT_EQ(3, std::sscanf(answer.c_str(), "{\"start\":%lld,\"scored\":%llu,\"count\":%lld}",
                           &start, &scored, &count))
      << answer;
  const double* values = reinterpret_cast<const double*>(static_cast<std::uintptr_t>(scored));
  return {start < 0 ? -1 : start + from - 1, std::vector<double>(values, values + 3 * count)};
}

// Evaluates with the helper's share from byte `from`, its answer changed by
// `tamper` on the way, as a page that lost or mixed up answers would give it;
// `meanwhile` of the blocks left to the helper scored before it answers.
template <typename Tamper>
std::string evaluateShared(const std::string& input, const std::string& submission, int from,
                           Tamper tamper, int meanwhile = 0) {
  mvReset();
  const std::string answer =
      mvEvaluate(input.data(), static_cast<int>(input.size()), submission.data(),
                 static_cast<int>(submission.size()), from);
  if (answer.compare(0, 12, "{\"awaiting\":") != 0) return answer;
  if (meanwhile > 0) mvScoreAwaiting(meanwhile);
  THelpersShare share = helpersShare(input, submission, from);
  tamper(share);
  return mvFinish(static_cast<int>(share.start), share.scored.data(),
                  static_cast<int>(share.scored.size() / 3));
}

std::string evaluateShared(const std::string& input, const std::string& submission, int from) {
  return evaluateShared(input, submission, from, [](THelpersShare&) {});
}

// An answer without its "helped", the blocks the helper scored.
std::string withoutHelped(const std::string& answer) {
  const std::size_t at = answer.find(",\"helped\":");
  return at == std::string::npos ? answer : answer.substr(0, at) + "}";
}

// Blocks of both cases, with line ends of both kinds and empty lines between.
const std::string kManyBlocks =
    "123456\r\nMirvasta\n1\n0.3 0.5\n0.7 0.5\n2\r\n0.5 0.5\r\n\n\n1\n0.32 0.5\n0.68 0.5\n"
    "1\r\n0.1 0.1\r\n0.2 0.2\r\n2\n0.5 0.5\n1\n0.4 0.4\n0.6 0.6\n";

// Wherever the share starts, the answer is the evaluator's alone, byte for
// byte, and so is every later call's; a submission refused anywhere, or
// whose text ends early (byte 26), is refused as alone.
TEST(PageApi, AnswersTheSameWhereverTheHelpersShareStarts) {
  const std::size_t fourth = kManyBlocks.find("1\r\n0.1");
  const struct {
    std::string submission;
    int blocks;  // Accepted with so many blocks, or 0.
  } cases[] = {
      {kManyBlocks, 6},
      {kManyBlocks.substr(0, fourth) + "\x1a" + kManyBlocks.substr(fourth), 3},
      {kManyBlocks.substr(0, kManyBlocks.size() - 8) + "0.6 1.5\n", 0},
      {kManyBlocks.substr(0, fourth) + "3\n" + kManyBlocks.substr(fourth), 0},
      {kManyBlocks.substr(0, fourth) + "0.5 0.5\n" + kManyBlocks.substr(fourth), 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.submission));
    mvReset();
    const std::string alone = evaluate(kInput, c.submission);
    ASSERT_EQ(c.blocks > 0, alone.find("\"blocks\":") != std::string::npos) << alone;
    const std::string compared = mvCompare(-1);
    const std::string block = c.blocks > 0 ? mvBlock(0, c.blocks - 1) : "";
    int awaited = 0, helped = 0;
    for (int from = 1; from <= static_cast<int>(c.submission.size()); ++from) {
      SCOPED_TRACE(from);
      mvReset();
      const std::string first =
          mvEvaluate(kInput.data(), static_cast<int>(kInput.size()), c.submission.data(),
                     static_cast<int>(c.submission.size()), from);
      awaited += first.compare(0, 12, "{\"awaiting\":") == 0;
      // Costs planted in the helper's answer show wherever it had blocks.
      helped += evaluateShared(kInput, c.submission, from, [](THelpersShare& share) {
                  for (std::size_t b = 2; b < share.scored.size(); b += 3) share.scored[b] = 0.5;
                }) != alone;
      EXPECT_EQ(alone, withoutHelped(evaluateShared(kInput, c.submission, from)));
      EXPECT_EQ(compared, std::string(mvCompare(-1)));
      if (c.blocks > 0) {
        EXPECT_EQ(block, std::string(mvBlock(0, c.blocks - 1)));
      }
    }
    EXPECT_EQ(c.blocks > 0, awaited > 0);
    EXPECT_EQ(awaited, helped) << "every block left to the helper takes its cost";
  }
}

// The helper's costs are taken for the blocks it scored on the same lines
// with the same case numbers, and only for those: any other block, or every
// block of a share that starts elsewhere, is scored by the evaluator itself.
TEST(PageApi, TakesTheHelpersCostsOnlyForTheSameBlocks) {
  const int from = static_cast<int>(kManyBlocks.find("1\n0.32"));
  const std::string alone = evaluate(kInput, kManyBlocks);
  const auto planted = [](THelpersShare& share) {
    for (std::size_t b = 2; b < share.scored.size(); b += 3) share.scored[b] = 0.5;
  };
  // The share's first two blocks, the third and fourth of the submission.
  const std::string taken =
      "[[1,\"2.04376385991605555303e-02\",true],"
      "[2,\"0.00000000000000000000e+00\",true],"
      "[1,\"5.00000000000000000000e-01\",false],";
  const std::string answer = evaluateShared(kInput, kManyBlocks, from, planted);
  EXPECT_NE(std::string::npos, answer.find(taken + "[1,\"5.00000000000000000000e-01\",")) << answer;
  EXPECT_NE(std::string::npos, answer.find("\\u000a1 5.00000000000000000000e-01\\u000a"))
      << "the report's too";
  EXPECT_NE(std::string::npos, answer.find(",\"helped\":4}"));
  const std::string firstOnly =
      evaluateShared(kInput, kManyBlocks, from, [&](THelpersShare& share) {
        planted(share);
        share.scored.resize(3);
      });
  EXPECT_NE(std::string::npos, firstOnly.find(taken + "[1,\"1.26593321907292166717e-01\","))
      << firstOnly;
  EXPECT_NE(std::string::npos, firstOnly.find(",\"helped\":1}"));

  // Blocks scored meanwhile, from the last back, keep their own costs.
  const std::string lastHere = evaluateShared(kInput, kManyBlocks, from, planted, 1);
  EXPECT_NE(
      std::string::npos,
      lastHere.find(taken +
                    "[1,\"5.00000000000000000000e-01\",false],[2,\"5.00000000000000000000e-01\","
                    "false],[1,\"6.28819948160180552943e-02\",false]],"))
      << lastHere;
  EXPECT_NE(std::string::npos, lastHere.find(",\"helped\":3}"));
  EXPECT_EQ(alone.substr(0, alone.size() - 1) + ",\"helped\":0}",
            evaluateShared(kInput, kManyBlocks, from, planted, 9));

  const std::function<void(THelpersShare&)> mixUps[] = {
      [](THelpersShare& share) {
        for (std::size_t b = 1; b < share.scored.size(); b += 3)
          share.scored[b] = 3 - share.scored[b];
      },
      [](THelpersShare& share) {
        for (std::size_t b = 0; b < share.scored.size(); b += 3) share.scored[b] += 1;
      },
      [](THelpersShare& share) { share.start += 1; },
      [](THelpersShare& share) { share.start = -1; },
      [](THelpersShare& share) { share.scored.clear(); },
  };
  for (std::size_t m = 0; m < std::size(mixUps); ++m) {
    SCOPED_TRACE(m);
    EXPECT_EQ(alone.substr(0, alone.size() - 1) + ",\"helped\":0}",
              evaluateShared(kInput, kManyBlocks, from, [&](THelpersShare& share) {
                planted(share);
                mixUps[m](share);
              }));
  }
}

// A refused submission answers at once, whatever its share; finishing with
// nothing awaiting says so.
TEST(PageApi, AwaitsTheHelperOnlyForAnAcceptedSubmission) {
  const std::string refused = kManyBlocks + "3\n";
  const int from = static_cast<int>(kManyBlocks.find("1\n0.32"));
  mvReset();
  const std::string answer = mvEvaluate(kInput.data(), static_cast<int>(kInput.size()),
                                        refused.data(), static_cast<int>(refused.size()), from);
  EXPECT_NE(std::string::npos, answer.find("\"failure\":{\"file\":2,\"line\":21,\"check\":259"))
      << answer;
  EXPECT_EQ("{\"error\":\"no submission awaits the helper's costs\"}",
            std::string(mvFinish(0, nullptr, 0)));
  EXPECT_EQ("{\"error\":\"no submission awaits the helper's costs\"}",
            std::string(mvScoreAwaiting(1)));
  // One left to the helper, scored here, and then none is left.
  const std::string accepted = "123456\nMirvasta\n1\n0.3 0.5\n0.7 0.5\n2\n0.5 0.5\n";
  mvReset();
  EXPECT_EQ("{\"awaiting\":1}",
            std::string(mvEvaluate(kInput.data(), static_cast<int>(kInput.size()), accepted.data(),
                                   static_cast<int>(accepted.size()), 20)));
  EXPECT_EQ("{\"left\":0}", std::string(mvScoreAwaiting(5)));
  EXPECT_EQ("{\"left\":0}", std::string(mvScoreAwaiting(5)));
  EXPECT_NE(std::string::npos, std::string(mvFinish(-1, nullptr, 0)).find(",\"helped\":0}"));
}

// Nothing is thrown across the page's C interface: a call that fails says
// so in its answer, and room that cannot be had is null.
TEST(PageApi, AnswersFailuresInsteadOfThrowing) {
  mvReset();
  evaluate(kInput, "123456\nMirvasta\n2\n0.5 0.5\n");
  EXPECT_EQ("{\"fault\":\"\"}", std::string(mvKnownAnswers()));
  EXPECT_EQ("{\"error\":\"no submission 1\"}", std::string(mvBlock(1, 0)));
  EXPECT_EQ("{\"error\":\"no block 1\"}", std::string(mvBlock(0, 1)));
  EXPECT_EQ("{\"error\":\"no submission -2\"}", std::string(mvCompare(-2)));
  EXPECT_EQ(nullptr, mvAlloc(-1));
  mvReset();
  evaluate(kInput, "123456\nMirvasta\n3\n");
  EXPECT_EQ("{\"error\":\"no submission is accepted\"}", std::string(mvBestOf()));
}

}  // namespace
