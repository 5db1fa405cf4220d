// The page's worker: runs the evaluator's WebAssembly (wasm/PageApi.cpp), so
// that grading a large submission never freezes the page. The module's
// loader, createMirvasta, stands before this script in the worker's source.
//
// Requests: {id, kind, ...} with kind "check"; "evaluate" with input and
// submissions: [bytes, ...] (ArrayBuffers, transferred, so that no file is
// copied); "block" with submission and block; "compare" with reference;
// "best". Answers: {id, progress: [done, of]} while grading, then {id,
// answer} with the module's JSON answer (for an evaluation, one for each
// submission), or {id, error}. Requests are answered one at a time, in
// their order.

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

// Bytes copied into the module's memory, for `use`; freed after it.
function withBytes(module, bytes, use) {
  const pointer = module._mvAlloc(bytes.byteLength);
  if (!pointer) throw new Error(`out of memory for a file of ${bytes.byteLength} bytes`);
  try {
    module.HEAPU8.set(new Uint8Array(bytes), pointer);
    return use(pointer, bytes.byteLength);
  } finally {
    module._mvFree(pointer);
  }
}

function evaluate(m, request) {
  m._mvReset();
  const { input, submissions } = request;
  return withBytes(m, input, (inputAt, inputSize) => submissions.map((bytes, k) => {
    postMessage({ id: request.id, progress: [k, submissions.length] });
    return withBytes(m, bytes, (at, size) => json(m, m._mvEvaluate(inputAt, inputSize, at, size)));
  }));
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
