// The helper's side of a shared grading, under node: a fake Worker stands
// for the helper.
import assert from "node:assert/strict";
import { test } from "node:test";

import { kShareBytes, shareFrom, startHelper } from "../../src/page/share.js";

test("a submission is shared from a megabyte on, from 36 % of its bytes", () => {
  assert.deepEqual([shareFrom(0), shareFrom(kShareBytes - 1), shareFrom(kShareBytes),
                    shareFrom(10_000_001)],
                   [0, 0, Math.floor(kShareBytes * 0.36), 3_600_000]);
});

// The helpers started, each with what it was sent.
const helpers = [];
globalThis.Worker = class {
  constructor() {
    this.posted = [];
    helpers.push(this);
  }
  postMessage(message, transfer) {
    this.posted.push({ message, transfer });
  }
};

function started(cores = 2) {
  const asked = [];
  const helper = startHelper("source", (kind, fields, onProgress, transfer) => {
    asked.push({ kind, fields, transfer });
    return Promise.resolve({});
  }, cores);
  return { helper, asked, worker: helpers[helpers.length - 1] };
}

// What the page's worker hears on its end of the channel.
function heard(port, count) {
  const messages = [];
  return new Promise((resolve) => {
    port.onmessage = (event) => {
      messages.push(event.data);
      if (messages.length === count) {
        port.close();
        resolve(messages);
      }
    };
  });
}

test("the helper scores a copy of each large submission's share, which goes to the page's worker",
     async () => {
  const { helper, asked, worker } = started();
  assert.equal(asked[0].kind, "helper");
  const port = asked[0].fields.port;
  assert.deepEqual(asked[0].transfer, [port]);
  const input = new Uint8Array([1, 2, 3]).buffer;
  const large = new Uint8Array(kShareBytes + 10).map((_, i) => i % 251).buffer;
  const fields = helper.share(input, [new ArrayBuffer(10), large, large]);
  const from = shareFrom(large.byteLength);
  assert.deepEqual(fields, { froms: [0, from, from], share: 1 });
  assert.equal(large.byteLength, kShareBytes + 10, "the submission itself stays the page's");
  assert.equal(worker.posted.length, 2);
  const { message, transfer } = worker.posted[0];
  assert.equal(message.kind, "score");
  assert.equal(message.from, 1);
  assert.deepEqual(new Uint8Array(message.input), new Uint8Array(input));
  assert.deepEqual(new Uint8Array(message.bytes), new Uint8Array(large).subarray(from - 1));
  assert.deepEqual(transfer, [message.bytes]);

  const messages = heard(port, 2);
  worker.onmessage({ data: { id: worker.posted[1].message.id, error: "broken" } });
  worker.onmessage({ data: { id: message.id,
                             answer: { start: 7, values: new Float64Array([1, 2, 0.5]) } } });
  assert.deepEqual(await messages, [
    { share: 1, k: 2, start: -1, values: new Float64Array(0) },
    { share: 1, k: 1, start: 7 + from - 1, values: new Float64Array([1, 2, 0.5]) },
  ]);
  assert.equal(helper.share(input, [large]).share, 2);
});

test("a small submission has no share, and one core no helper", () => {
  const { helper, worker } = started();
  assert.deepEqual(helper.share(new ArrayBuffer(1), [new ArrayBuffer(kShareBytes - 1)]),
                   { froms: [0], share: 1 });
  assert.equal(worker.posted.length, 0);
  assert.equal(started(1).helper, null);
});
