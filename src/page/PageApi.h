#pragma once

// The evaluator as the contestants' page calls it from its worker
// (worker.js), compiled to WebAssembly. Answers are texts that live until the
// next call.

extern "C" {
char* mvAlloc(int size);
void mvFree(char* bytes);
void mvReset();
const char* mvEvaluate(const char* input, int inputSize, const char* submission,
                       int submissionSize);
const char* mvBlock(int submission, int block);
const char* mvCompare();
const char* mvBestOf();
}
