// The worker's script under node, with a stand-in for the evaluator's module
// that answers as wasm/PageApi.cpp does: what it is asked, and in what order.
import assert from "node:assert/strict";
import { readFileSync } from "node:fs";
import { test } from "node:test";
import vm from "node:vm";

const source = readFileSync(new URL("../../src/page/worker.js", import.meta.url), "utf8");
const tick = () => new Promise((resolve) => setTimeout(resolve, 0));

// A worker whose module leaves the blocks of a submission of 3 bytes to the
// helper, too many to score meanwhile, and of 4 bytes 20 blocks; and
// finishes it with the helper's first cost.
function startWorker() {
  const posted = [], calls = [];
  const texts = [];
  const answer = (value) => texts.push(JSON.stringify(value)) - 1;
  const module = {
    HEAPU8: new Uint8Array(1 << 12),
    next: 8,
    _mvAlloc(size) {
      const at = this.next;
      this.next += size + 8 - (size % 8);
      return at;
    },
    _mvFree() {},
    _mvWarmUp() {},
    _mvReset: () => calls.push("reset"),
    UTF8ToString: (pointer) => texts[pointer],
    left: 0,
    _mvEvaluate(inputAt, inputSize, at, size, from) {
      calls.push(`evaluate ${size} from ${from}`);
      module.left = { 3: 1e9, 4: 20 }[size];
      return answer(module.left ? { awaiting: module.left } : { report: "alone" });
    },
    _mvScoreAwaiting(count) {
      calls.push(`here ${count}`);
      module.left = Math.max(0, module.left - count);
      return answer({ left: module.left });
    },
    _mvFinish(start, at, count) {
      const values = new Float64Array(module.HEAPU8.buffer, at, 3 * count);
      calls.push(`finish ${start} ${[...values]}`);
      return answer({ report: `helped ${values[2]}` });
    },
  };
  const context = vm.createContext({
    createMirvasta: async () => module, postMessage: (message) => posted.push(message),
    Promise, JSON, Map, Error, Uint8Array, Float64Array, ArrayBuffer, Number, String,
    MessageChannel,
  });
  vm.runInContext(source, context);
  const send = (message) => context.onmessage({ data: message });
  const channel = new MessageChannel();
  send({ id: 1, kind: "helper", port: channel.port2 });
  return { posted, calls, send, helperPort: channel.port1,
           close: () => { channel.port1.close(); channel.port2.close(); } };
}

const bytes = (size) => new ArrayBuffer(size);
// A request's answers, as plain values of this realm.
const answers = (posted, id) =>
  JSON.parse(JSON.stringify(posted.filter((m) => m.id === id && !m.progress)));

test("a submission left to the helper waits for its costs, however late or early they come",
     async () => {
  const worker = startWorker();
  // The costs for grading 2 come before it is asked for; grading 1's come late.
  worker.helperPort.postMessage({ share: 2, k: 0, start: 11,
                                 values: new Float64Array([1, 1, 0.25]) });
  worker.send({ id: 2, kind: "evaluate", input: bytes(1), submissions: [bytes(3), bytes(5)],
                froms: [2, 0], share: 1 });
  await tick();
  assert.deepEqual(answers(worker.posted, 2), [], "it waits");
  worker.send({ id: 3, kind: "evaluate", input: bytes(1), submissions: [bytes(3)], froms: [2],
                share: 2 });
  worker.helperPort.postMessage({ share: 1, k: 0, start: 9,
                                 values: new Float64Array([1, 1, 0.5]) });
  for (let i = 0; i < 10; ++i) await tick();
  assert.deepEqual(answers(worker.posted, 2)[0].answer,
                   [{ report: "helped 0.5" }, { report: "alone" }]);
  assert.deepEqual(answers(worker.posted, 3)[0].answer, [{ report: "helped 0.25" }]);
  assert.deepEqual(worker.calls.filter((call) => !call.startsWith("here")), [
    "reset", "evaluate 3 from 2", "finish 9 1,1,0.5", "evaluate 5 from 0",
    "reset", "evaluate 3 from 2", "finish 11 1,1,0.25"]);
  worker.close();
});

test("the costs of a grading that has been overtaken are dropped", async () => {
  const worker = startWorker();
  worker.send({ id: 2, kind: "evaluate", input: bytes(1), submissions: [bytes(3)], froms: [2],
                share: 5 });
  await tick();
  worker.helperPort.postMessage({ share: 4, k: 0, start: 1, values: new Float64Array([1, 1, 9]) });
  worker.helperPort.postMessage({ share: 5, k: 0, start: -1, values: new Float64Array(0) });
  for (let i = 0; i < 10; ++i) await tick();
  assert.deepEqual(answers(worker.posted, 2)[0].answer, [{ report: "helped undefined" }]);
  assert.equal(worker.calls.at(-1), "finish -1 ");
  worker.close();
});

test("a helper that never answers leaves its blocks to the page's worker", async () => {
  const worker = startWorker();
  worker.send({ id: 2, kind: "evaluate", input: bytes(1), submissions: [bytes(4)], froms: [2],
                share: 1 });
  for (let i = 0; i < 20 && answers(worker.posted, 2).length === 0; ++i) await tick();
  assert.deepEqual(answers(worker.posted, 2)[0].answer, [{ report: "helped undefined" }]);
  assert.deepEqual(worker.calls, ["reset", "evaluate 4 from 2", "here 8", "here 8", "here 8",
                                  "finish -1 "]);
  worker.close();
});
