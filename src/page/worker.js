// The page's worker: runs the evaluator's WebAssembly (wasm/PageApi.cpp), so
// that grading a large submission never freezes the page. The module's
// loader, createMirvasta, stands before this script in the worker's source.
//
// Requests: {id, kind, ...} with kind "check"; "evaluate" with input and
// submissions: [Blob, ...], which the worker reads itself, straight into the
// module's memory; "block" with submission and block; "compare" with
// reference; "best". Answers: {id, progress: [done, of]} while grading, then
// {id, answer}, or {id, error}. An evaluation answers {answers: [the
// module's answer, or {unreadable: why}, for each submission]}, or
// {inputError: why}. Requests are answered one at a time, in their order.

// One instance of the module, however many requests come while it loads,
// warmed up before it answers any.
const loaded = createMirvasta().then((module) => {
  module._mvWarmUp();
  return module;
});

// An answer of the module; one that says {"error": ...} fails the request.
function json(module, pointer) {
  const answer = JSON.parse(module.UTF8ToString(pointer));
  if (answer && answer.error !== undefined) throw new Error(answer.error);
  return answer;
}

// A file that cannot be read, as the browser says why.
class ReadError extends Error {}

// A Blob's bytes read into the module's memory, for `use`; freed after it.
// They are copied as they come, a part at a time.
async function withBytes(module, blob, use) {
  const pointer = module._mvAlloc(blob.size);
  if (!pointer) throw new Error(`out of memory for a file of ${blob.size} bytes`);
  try {
    let at = 0;
    try {
      const reader = blob.stream().getReader();
      for (let part = await reader.read(); !part.done; part = await reader.read()) {
        if (at + part.value.byteLength > blob.size) throw new Error("it grew while it was read");
        module.HEAPU8.set(part.value, pointer + at);
        at += part.value.byteLength;
      }
    } catch (error) {
      throw new ReadError(String(error && error.message || error));
    }
    return await use(pointer, at);
  } finally {
    module._mvFree(pointer);
  }
}

// A read error as an answer, for the page to say so; other errors fail the
// request.
function unreadable(error) {
  if (error instanceof ReadError) return { unreadable: error.message };
  throw error;
}

async function evaluate(m, request) {
  m._mvReset();
  const { input, submissions } = request;
  try {
    return await withBytes(m, input, async (inputAt, inputSize) => {
      const answers = [];
      for (const [k, blob] of submissions.entries()) {
        postMessage({ id: request.id, progress: [k, submissions.length] });
        answers.push(await withBytes(m, blob, (at, size) =>
          json(m, m._mvEvaluate(inputAt, inputSize, at, size))).catch(unreadable));
      }
      return { answers };
    });
  } catch (error) {
    return { inputError: unreadable(error).unreadable };
  }

}

// Each request kind, and the module's call that answers it.
const calls = {
  check: (m) => json(m, m._mvKnownAnswers()),
  evaluate,
  block: (m, request) => json(m, m._mvBlock(request.submission, request.block)),
  compare: (m, request) => json(m, m._mvCompare(request.reference)),
  best: (m) => json(m, m._mvBestOf()),
};

let queue = Promise.resolve();
onmessage = (event) => {
  const request = event.data;
  queue = queue.then(async () => {
    try {
      const call = calls[request.kind];
      if (!call) throw new Error(`unknown request ${request.kind}`);
      postMessage({ id: request.id, answer: await call(await loaded, request) });
    } catch (error) {
      postMessage({ id: request.id, error: String(error && error.message || error) });
    }
  });
};
