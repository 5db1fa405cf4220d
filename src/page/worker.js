// The page's worker: runs the evaluator's WebAssembly (wasm/PageApi.cpp), so
// that grading a large submission never freezes the page. The module's
// loader, createMirvasta, stands before this script in the worker's source.
// The same script runs the helper, a second worker that scores a share of
// each large submission meanwhile (share.js).
//
// Requests: {id, kind, ...} with kind "check"; "evaluate" with input,
// submissions: [bytes, ...] (ArrayBuffers, transferred, so that no file is
// copied), and, where the helper scores shares, froms: [each one's share's
// byte, or 0] and share: the grading's number; "block" with submission and
// block; "compare" with reference; "best"; "helper" with the port on which
// the helper's costs come; and the helper's "score" with input, bytes and
// from. Answers: {id, progress: [done, of]} while grading, then {id, answer}
// with the module's JSON answer (for an evaluation, one for each
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

// Bytes (an ArrayBuffer or a view) copied into the module's memory, for
// `use`, which may answer a promise; freed after it.
async function withBytes(module, bytes, use) {
  const view = ArrayBuffer.isView(bytes) ? new Uint8Array(bytes.buffer, bytes.byteOffset,
                                                          bytes.byteLength)
                                         : new Uint8Array(bytes);
  const pointer = module._mvAlloc(view.byteLength);
  if (!pointer) throw new Error(`out of memory for a file of ${view.byteLength} bytes`);
  try {
    module.HEAPU8.set(view, pointer);
    return await use(pointer, view.byteLength);
  } finally {
    module._mvFree(pointer);
  }
}

// The helper's costs for the grading under way, {start, values} for each
// submission with a share, as they come: those of an earlier grading are
// dropped, those of a later one kept for it.
const shares = { grading: 0, answers: new Map(), waiting: new Map() };

function receiveShare({ share, k, start, values }) {
  if (share < shares.grading) return;
  const key = `${share}/${k}`;
  const waiting = shares.waiting.get(key);
  shares.waiting.delete(key);
  if (waiting) waiting({ start, values }); else shares.answers.set(key, { start, values });
}

function shareOf(share, k) {
  const key = `${share}/${k}`;
  const answer = shares.answers.get(key);
  shares.answers.delete(key);
  if (answer) return Promise.resolve(answer);
  return new Promise((resolve) => shares.waiting.set(key, resolve));
}

// The next task: the helper's costs, which come as a message, get in first.
function nextTask() {
  return new Promise((resolve) => {
    const channel = new MessageChannel();
    channel.port1.onmessage = () => {
      channel.port1.close();
      resolve();
    };
    channel.port2.postMessage(null);
  });
}

// Blocks scored here at a time while the helper's costs are still to come:
// a few milliseconds' work.
const kBlocksMeanwhile = 8;

// The answer of an accepted submission with `left` blocks left to the
// helper: meanwhile they are scored here, from the last back, so that a
// helper that is late, busy or gone costs no more than grading alone.
async function finishShared(m, share, k, left) {
  let helped = null;
  shareOf(share, k).then((answer) => { helped = answer; });
  for (;;) {
    await nextTask();
    if (helped || left === 0) break;
    left = json(m, m._mvScoreAwaiting(kBlocksMeanwhile)).left;
  }
  const { start, values } = helped || { start: -1, values: new Float64Array(0) };
  return withBytes(m, values, (at, size) => json(m, m._mvFinish(start, at, size / 24)));
}

// A new grading: what came or was awaited for earlier ones goes.
function startGrading(share) {
  shares.grading = share;
  for (const map of [shares.answers, shares.waiting]) {
    for (const key of map.keys()) {
      if (Number(key.split("/")[0]) < share) map.delete(key);
    }
  }
}

async function evaluate(m, request) {
  m._mvReset();
  const { input, submissions, froms = [], share = 0 } = request;
  startGrading(share);
  return withBytes(m, input, async (inputAt, inputSize) => {
    const answers = [];
    for (const [k, bytes] of submissions.entries()) {
      postMessage({ id: request.id, progress: [k, submissions.length] });
      const answer = await withBytes(m, bytes, (at, size) =>
        json(m, m._mvEvaluate(inputAt, inputSize, at, size, froms[k] || 0)));
      answers.push(answer.awaiting === undefined ? answer
                                                 : await finishShared(m, share, k, answer.awaiting));
    }
    return answers;
  });
}

// The helper's part: the share of `bytes` from byte `from` on, scored.
// Answers {start, values: its blocks' line, case and cost, three each}.
function score(m, { input, bytes, from }) {
  return withBytes(m, input, (inputAt, inputSize) => withBytes(m, bytes, (at, size) => {
    const answer = json(m, m._mvScoreShare(inputAt, inputSize, at, size, from));
    const values = new Float64Array(m.HEAPU8.buffer, answer.scored, 3 * answer.count).slice();
    return { start: answer.start, values };
  }));
}

// Each request kind, and the module's call that answers it.
const calls = {
  check: (m) => json(m, m._mvKnownAnswers()),
  evaluate,
  block: (m, request) => json(m, m._mvBlock(request.submission, request.block)),
  compare: (m, request) => json(m, m._mvCompare(request.reference)),
  best: (m) => json(m, m._mvBestOf()),
  helper: (m, request) => {
    request.port.onmessage = (event) => receiveShare(event.data);
    return {};
  },
  score,
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
