// The page's worker: runs the evaluator's WebAssembly (PageApi.cpp), so that
// grading a large submission never freezes the page. The module's loader,
// createMirvasta, stands before this script in the worker's source.
//
// Requests: {id, kind: "evaluate", input, submissions: [bytes, ...]},
// {id, kind: "block", submission, block}, {id, kind: "compare"},
// {id, kind: "best"}. Answers: {id, progress: [done, of]} while grading, then
// {id, answer}, or {id, error}.

"use strict";

let evaluator = null;

function text(module, pointer) {
  return module.UTF8ToString(pointer);
}

// Copies bytes into the module's memory; the caller frees them.
function copyIn(module, bytes) {
  const pointer = module._mvAlloc(bytes.byteLength);
  module.HEAPU8.set(new Uint8Array(bytes), pointer);
  return pointer;
}

async function handle(request) {
  if (!evaluator) evaluator = await createMirvasta();
  const m = evaluator;
  switch (request.kind) {
    case "evaluate": {
      m._mvReset();
      const input = copyIn(m, request.input);
      const answers = [];
      try {
        request.submissions.forEach((bytes, k) => {
          postMessage({ id: request.id, progress: [k, request.submissions.length] });
          const submission = copyIn(m, bytes);
          try {
            answers.push(JSON.parse(text(m, m._mvEvaluate(input, request.input.byteLength,
                                                          submission, bytes.byteLength))));
          } finally {
            m._mvFree(submission);
          }
        });
      } finally {
        m._mvFree(input);
      }
      return answers;
    }
    case "block":
      return JSON.parse(text(m, m._mvBlock(request.submission, request.block)));
    case "compare":
      return JSON.parse(text(m, m._mvCompare(request.reference === undefined ? -1 : request.reference)));
    case "best":
      return text(m, m._mvBestOf());
  }
  throw new Error("unknown request " + request.kind);
}

onmessage = async (event) => {
  try {
    postMessage({ id: event.data.id, answer: await handle(event.data) });
  } catch (error) {
    postMessage({ id: event.data.id, error: String(error) });
  }
};
