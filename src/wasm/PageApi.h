#pragma once

// The evaluator as the contestants' page calls it from its worker
// (page/worker.js), compiled to WebAssembly. Answers are texts that live
// until the next call. Nothing is thrown across this interface: a call that
// fails answers {"error": "<why>"} instead, and mvAlloc answers null.

extern "C" {
char* mvAlloc(int size);
void mvFree(char* bytes);
void mvReset();
void mvWarmUp();
const char* mvKnownAnswers();
const char* mvEvaluate(const char* input, int inputSize, const char* submission, int submissionSize,
                       int from);
const char* mvScoreShare(const char* input, int inputSize, const char* bytes, int size, int from);
const char* mvScoreAwaiting(int count);
const char* mvFinish(int start, const double* scored, int count);
const char* mvBlock(int submission, int block);
const char* mvCompare(int reference);
const char* mvBestOf();
}
