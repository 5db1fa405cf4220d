// The page's parts that need no browser, under node.
import assert from "node:assert/strict";
import { readFileSync, readdirSync } from "node:fs";
import { test } from "node:test";

import { gapText } from "../../src/page/compare.js";
import { createGrader, placeOf } from "../../src/page/grading.js";
import { gloss, glossedChecks } from "../../src/page/glosses.js";
import { labelled, looksLikeInput, withSource } from "../../src/page/sources.js";
import { createStore } from "../../src/page/store.js";
import { hintFor, shown } from "../../src/page/text.js";

const src = new URL("../../src/", import.meta.url);

test("every check of the evaluator has an English gloss, from its arguments", () => {
  const checks = new Set();
  for (const folder of ["text", "task", "scoring", "evaluator"]) {
    for (const name of readdirSync(new URL(folder, src))) {
      const code = readFileSync(new URL(`${folder}/${name}`, src), "utf8");
      for (const [, line] of code.matchAll(/CHECK\([^;]*?,\s*(\d{2,3}),/gs)) checks.add(Number(line));
    }
  }
  assert.ok(checks.size > 25);
  assert.deepEqual([...checks].sort((a, b) => a - b), [...glossedChecks].sort((a, b) => a - b));
  assert.equal(gloss({ check: 259, arguments: ["6", "2", "3"] }),
               "line 6 should hold a test case's number from 1 to 2, not 3");
  assert.equal(gloss({ check: 249, arguments: ["Mirvasta", "Mirvasta\x9a"] }),
               "line 2 should be \"Mirvasta\", not \"Mirvasta\x9a\"");
  assert.equal(gloss(undefined), "An unexpected error. Please tell the contest's organisers.");
  assert.equal(gloss({ check: 1, arguments: [] }), "");
});

test("a refused file's bytes say what else it may be", () => {
  const bytes = (...b) => String.fromCharCode(...b);
  const cases = [
    [bytes(0xef, 0xbb, 0xbf) + "123456\n", true, "hintBom"],
    [bytes(0xff, 0xfe, 0x31, 0), true, "hintUtf16"],
    [bytes(0x31, 0, 0x32, 0, 0x33, 0, 10, 0), true, "hintUtf16"],
    ["123456\nMirvasta\x01\n", true, "hintBinary"],
    ["123456\rMirvasta\r1\r", true, "hintCr"],
    ["123456\r\nMirvasta\r\n", true, ""],
    ["Mirvasta\n2\n\n1\n", true, "hintInput"],
    ["Mirvasta\n2\n\n1\n", false, ""],
    ["123456\nMirvasta \n", true, ""],
  ];
  for (const [head, asSubmission, hint] of cases) {
    assert.equal(hintFor(head, asSubmission), hint, JSON.stringify(head));
  }
});

test("bytes show as Windows-1252 does, control characters as their symbols", () => {
  assert.equal(shown("Mirvasta\x9a\x00\x1a\t\r\n\xe8"), "Mirvastaš\u2400\u241a\t\u240d\nè");
  assert.equal(shown(new Uint8Array([0x8a, 0x9e])), "Šž");
});

test("the gap is measured to the yardstick", () => {
  assert.deepEqual([gapText("2.0e-03", "1.5e-03"), gapText("1.0e-09", "1.0e-09"),
                    gapText("0", "1e-09"), gapText("", "1e-09"), gapText("1e-03", "")],
                   ["+5.00e-4", "", "", "", ""]);
});

test("files of one name are told apart; a file chosen again takes its entry's place", async () => {
  const file = (name, size, unreadable) => ({ name, file: { name, size, lastModified: 7 },
                                              unreadable });
  assert.deepEqual(labelled([file("a.txt"), file("b.txt"), file("a.txt")]).map((s) => s.label),
                   ["a.txt (1)", "b.txt", "a.txt (2)"]);
  const list = [{ id: 1, ...file("a.txt", 10, true) }, { id: 2, ...file("b.txt", 10) }];
  const again = await withSource(list, { id: 3, ...file("a.txt", 12) });
  assert.deepEqual(again.map((s) => [s.id, s.file.size]), [[1, 12], [2, 10]]);
  const other = await withSource(list, { id: 4, ...file("b.txt", 11) });
  assert.deepEqual(other.map((s) => s.id), [1, 2, 4]);
  const pasted = await withSource([{ id: 5, name: "p", pasted: "submission" }],
                                  { id: 6, name: "p", pasted: "submission" });
  assert.deepEqual(pasted.map((s) => s.id), [5]);
  assert.deepEqual([looksLikeInput(new TextEncoder().encode("Mirvasta\n1").buffer),
                    looksLikeInput(new TextEncoder().encode("123456\n").buffer)], [true, false]);
});

test("a listener hears only of the keys it named", () => {
  const store = createStore({ a: 1, b: 2 });
  const heard = [];
  store.on(["a"], (state) => heard.push(state.a));
  store.set({ b: 3 });
  store.set({ a: 1 });
  store.set({ a: 4, b: 5 });
  assert.deepEqual(heard, [4]);
});

// A worker that answers when told to, and files read when told to.
function fakes() {
  const asked = [], reads = [];
  const ask = (kind, fields) => new Promise((resolve) => asked.push({ kind, fields, resolve }));
  const source = (id) => ({ id, read: () => new Promise((resolve) => reads.push(resolve)) });
  // Each file read, as a Blob.
  const resolveAll = () => {
    for (const resolve of reads) resolve(new Blob(["x"]));
  };
  return { asked, reads, ask, source, resolveAll };
}
const tick = () => new Promise((resolve) => setTimeout(resolve, 0));
const accepted = { blocks: [[1, "0", true]] };

test("a grading superseded while it reads its files asks the worker nothing", async () => {
  const { asked, ask, source, resolveAll } = fakes();
  const shown = [];
  const grader = createGrader(ask, (result) => shown.push(result));
  const first = grader.grade(source(1), [source(2)], -1);
  await tick();
  grader.grade(source(3), [source(4)], -1);
  resolveAll();
  await first;
  await tick();
  assert.deepEqual(asked.map((a) => a.kind), ["evaluate"]);
  assert.equal(asked[0].fields.submissions.length, 1);
  asked[0].resolve([accepted]);
  await tick();
  asked[1].resolve({ cases: [] });
  await tick();
  assert.deepEqual(shown.map((r) => r.input.id), [3]);
});

test("a change while the worker grades supersedes the grading: its answers never show", async () => {
  const { asked, ask, source, resolveAll } = fakes();
  const shown = [];
  const grader = createGrader(ask, (result) => shown.push(result));
  const grading = grader.grade(source(1), [source(2), source(3)], 3);
  await tick();
  resolveAll();
  await tick();
  grader.supersede();
  asked[0].resolve([accepted, accepted]);
  await grading;
  assert.deepEqual([asked.length, shown.length], [1, 0]);
});

test("the reference is an accepted submission's place among those evaluated", () => {
  const result = { submissions: [{ id: 7 }, { id: 8 }, { id: 9 }], answers: [null, {}, accepted],
                   places: [-1, 0, 1] };
  assert.deepEqual([placeOf(result, 9), placeOf(result, 8), placeOf(result, 7), placeOf(result, -1)],
                   [1, -1, -1, -1]);
});

// Small modules: no file of the page's or the drawing's scripts over 300
// lines, no function over 80.
test("the scripts are small", () => {
  for (const folder of ["page", "drawing"]) {
    for (const name of readdirSync(new URL(folder, src)).filter((n) => n.endsWith(".js"))) {
      const lines = readFileSync(new URL(`${folder}/${name}`, src), "utf8").split("\n");
      assert.ok(lines.length <= 301, `${folder}/${name}: ${lines.length} lines`);
      lines.forEach((line, start) => {
        if (!/(function\b.*|=>\s*)\{\s*$/.test(line)) return;
        let depth = 0, end = start;
        for (; end < lines.length; ++end) {
          for (const c of lines[end].replace(/"(\\.|[^"\\])*"|'(\\.|[^'\\])*'|`[^`]*`/g, "")) {
            depth += c === "{" ? 1 : c === "}" ? -1 : 0;
          }
          if (depth <= 0) break;
        }
        assert.ok(end - start + 1 <= 80, `${folder}/${name}:${start + 1}: ${end - start + 1} lines`);
      });
    }
  }
});
