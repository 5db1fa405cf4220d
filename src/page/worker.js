// The page's worker: runs the evaluator's WebAssembly (wasm/PageApi.cpp), so
// that grading a large submission never freezes the page. The module's
// loader, createMirvasta, stands before this script in the worker's source.
//
// Requests: {id, kind: "check"}, {id, kind: "evaluate", input, submissions:
// [bytes, ...]} (ArrayBuffers, transferred, so that no file is copied),
// {id, kind: "block", submission, block}, {id, kind: "compare", reference},
// {id, kind: "best"}. Answers: {id, progress: [done, of]} while grading,
// then {id, answer}, or {id, error}. An evaluation that fails a check also
// brings the lines around the one it names, and the file's first bytes,
// from the file it failed in: the page keeps no copy of the files.

"use strict";

let evaluator = null;

// An answer of the module; one that says {"error": ...} fails the request.
function json(module, pointer) {
  const answer = JSON.parse(module.UTF8ToString(pointer));
  if (answer && answer.error !== undefined) throw new Error(answer.error);
  return answer;
}

// Copies bytes into the module's memory; the caller frees them.
function copyIn(module, bytes) {
  const pointer = module._mvAlloc(bytes.byteLength);
  if (!pointer) throw new Error("out of memory for a file of " + bytes.byteLength + " bytes");
  module.HEAPU8.set(new Uint8Array(bytes), pointer);
  return pointer;
}

// The lines from..to (counted from 1) of a file read as the evaluator reads
// it: byte 26 ends it, a carriage return before a line feed is dropped;
// each as [number, its first 300 bytes].
function linesOf(bytes, from, to) {
  const data = new Uint8Array(bytes);
  let end = data.indexOf(26);
  if (end < 0) end = data.length;
  const lines = [];
  let line = 1, start = 0;
  for (let i = 0; i <= end && line <= to; ++i) {
    if (i === end || data[i] === 10) {
      if (i === end && start === end) break;
      let stop = i;
      if (i < end && stop > start && data[stop - 1] === 13) --stop;
      if (line >= from) lines.push([line, data.slice(start, Math.min(stop, start + 300))]);
      start = i + 1;
      ++line;
    }
  }
  return lines;
}

// What the page shows of a file that failed a check.
function excerpt(answer, bytes) {
  answer.excerpt = linesOf(bytes, Math.max(1, answer.failedLine - 3), answer.failedLine + 3);
  answer.head = new Uint8Array(bytes, 0, Math.min(bytes.byteLength, 4096)).slice();
}

async function handle(request) {
  if (!evaluator) evaluator = await createMirvasta();
  const m = evaluator;
  switch (request.kind) {
    case "check":
      return json(m, m._mvKnownAnswers());
    case "evaluate": {
      m._mvReset();
      const input = copyIn(m, request.input);
      const answers = [];
      try {
        request.submissions.forEach((bytes, k) => {
          postMessage({ id: request.id, progress: [k, request.submissions.length] });
          const submission = copyIn(m, bytes);
          try {
            const answer = json(m, m._mvEvaluate(input, request.input.byteLength, submission,
                                                 bytes.byteLength));
            if (answer.failedFile) excerpt(answer, answer.failedFile === 1 ? request.input : bytes);
            answers.push(answer);
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
      return json(m, m._mvBlock(request.submission, request.block));
    case "compare":
      return json(m, m._mvCompare(request.reference));
    case "best":
      return m.UTF8ToString(m._mvBestOf());
  }
  throw new Error("unknown request " + request.kind);
}

onmessage = async (event) => {
  try {
    postMessage({ id: event.data.id, answer: await handle(event.data) });
  } catch (error) {
    postMessage({ id: event.data.id, error: String(error && error.message || error) });
  }
};
