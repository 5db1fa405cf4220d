#include "wasm/PageApi.h"

#include <gtest/gtest.h>

#include <string>

#include "base/Json.h"
#include "judge/Judge.h"
#include "merge/Merge.h"
#include "support/Run.h"
#include "support/TempFile.h"

namespace {

const std::string kInput = "Mirvasta\n2\n\n1\n2\n0.25\n0.25\n\n2\n1\n0.25\n";

std::string evaluate(const std::string& input, const std::string& submission) {
  return mvEvaluate(input.data(), static_cast<int>(input.size()), submission.data(),
                    static_cast<int>(submission.size()));
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
