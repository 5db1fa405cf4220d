// The contestants' page: grade and see submissions in the browser, offline.
// Every cost and score shown comes from the evaluator's and the judge's C++
// code, compiled to WebAssembly and run in a worker (worker.js,
// wasm/PageApi.cpp); the page reads files, shows answers and draws
// placements (src/drawing).
//
// The contestant's loop is: solve, grade, look, keep the best, again. So
// every grading reads each file as it is at that moment, and only the
// latest grading ever shows.

import { placement } from "../drawing/placement.js";
import { drawingText } from "../drawing/text.js";
import { startWorker } from "./client.js";
import { renderComparison } from "./compare.js";
import { acceptDrops, addFiles, addPasted, renderFiles } from "./files.js";
import { createGrader } from "./grading.js";
import { renderCards } from "./results.js";
import { startHelper } from "./share.js";
import { createStore } from "./store.js";
import { bytesOf } from "./text.js";
import { words } from "./words.js";

const $ = (selector) => document.querySelector(selector);
const store = createStore({
  language: localStorage.getItem("mirvasta-language") === "en" ? "en" : "sl",
  input: null,      // a source (sources.js)
  submissions: [],  // sources, replaced whole on every change
  reference: -1,    // the id of the source whose costs are the yardsticks, or -1
  result: null,     // the latest grading's (grading.js)
  shown: null,      // {source: its id, block, view}: the placement drawn
  refusal: null,    // why the evaluator grades nothing
});
const t = () => words[store.get().language];

let client = null, helper = null;
const grader = createGrader((...args) => client.ask(...args), (result) => {
  result.submissions.forEach((source, k) => { source.unreadable = !result.answers[k]; });
  stopBusy();
  store.set({ result });
  $("#status").textContent = t().graded(result.submissions.length);
}, (done, of) => showProgress(done, of),
(...args) => (helper ? helper.share(...args) : {}));

// Says what is going on once it has taken half a second.
let busy = null;
function startBusy(message) {
  stopBusy();
  const started = performance.now();
  busy = { message, timer: setInterval(() => {
    const seconds = (performance.now() - started) / 1000;
    if (seconds < 0.5) return;
    $("#progress").hidden = false;
    $("#progress span").textContent = busy.message(seconds.toFixed(1));
    const bar = $("#progress progress");
    if (busy.fraction === undefined) bar.removeAttribute("value"); else bar.value = busy.fraction;
  }, 100) };
}
function stopBusy() {
  if (busy) clearInterval(busy.timer);
  busy = null;
  $("#progress").hidden = true;
}
function showProgress(done, of) {
  if (!busy) return;
  busy.message = (s) => t().grading(done, of, s);
  busy.fraction = done / of;
}

// Grades the files as they are now; anything that changes them, or a press
// of "Oceni", supersedes a grading under way.
function grade() {
  const { input, submissions, reference, refusal } = store.get();
  grader.supersede();
  stopBusy();
  // What the grading overtaken showed goes with it.
  store.set({ result: null });
  if (refusal || !input || submissions.length === 0) return;
  startBusy(() => t().reading);
  grader.grade(input, submissions, reference);
}

function renderResults(state) {
  const results = $("#results");
  results.replaceChildren();
  if (state.refusal) {
    results.append(Object.assign(document.createElement("p"),
                                 { className: "failure", textContent: state.refusal }));
  } else if (!state.input || state.submissions.length === 0) {
    if (state.input || state.submissions.length > 0) {
      results.textContent = state.input ? t().needSubmission : t().needInput;
    }
  } else if (state.result) {
    renderCards(results, state.result, { t: t(), language: state.language, download,
                                         showBlock });
  }
  renderCompare(state);
}

function renderCompare(state) {
  const box = $("#compare");
  if (!state.result || state.refusal) {
    box.replaceChildren();
    return;
  }
  renderComparison(box, state.result, {
    t: t(), reference: state.reference,
    choose: (reference) => store.set({ reference }),
    bestOf: () => client.ask("best").then((answer) => download("best.txt", answer.submission),
                                          (error) => { $("#status").textContent = error.message; }),
  });
}

// A new reference scores the same grading again.
async function compareAgain(state) {
  if (!state.result || !state.result.compared) return;
  const compared = await grader.compare(state.result, state.reference);
  if (compared && store.get().result === state.result) {
    store.set({ result: { ...state.result, compared } });
  }
}

// Draws block b of submission k; a view given is kept (a new grading or
// language), otherwise the drawing shows everything and comes into sight.
function showBlock(k, b, focus = false) {
  const source = store.get().result.submissions[k].id;
  store.set({ shown: { source, block: b, view: undefined, focus } });
}

async function drawShown(state) {
  const result = state.result, shown = state.shown;
  const k = result && shown ? result.submissions.findIndex((s) => s.id === shown.source) : -1;
  const answer = k >= 0 ? result.answers[k] : null;
  if (!answer || !answer.blocks || shown.block >= answer.blocks.length) {
    $("#placement").replaceChildren();
    return;
  }
  const block = await client.ask("block", { submission: result.places[k], block: shown.block });
  if (store.get().result !== result || store.get().shown !== shown) return;
  const drawing = placement($("#placement"), block, drawingText[state.language],
                            { view: shown.view });
  document.querySelectorAll("tr.shown").forEach((row) => row.classList.remove("shown"));
  const row = document.querySelectorAll("#results section")[k]
                  .querySelector(`tr[data-block="${shown.block}"]`);
  if (row) row.classList.add("shown");
  if (shown.view === undefined) $("#viewer").scrollIntoView({ behavior: "smooth" });
  if (shown.focus) $("#placement .mv-view").focus();
  return drawing;
}

// The view drawn stays across gradings and languages.
function keepView() {
  const shown = store.get().shown, drawing = $("#placement").mirvasta;
  if (shown && drawing) store.set({ shown: { ...shown, view: drawing.view(), focus: false } });
}

function download(name, bytes) {
  const link = document.createElement("a");
  link.href = URL.createObjectURL(new Blob([bytesOf(bytes)]));
  link.download = name;
  document.body.append(link);
  link.click();
  link.remove();
}

function translate(state) {
  document.documentElement.lang = state.language;
  document.querySelectorAll("[data-t]").forEach((node) => {
    node.textContent = t()[node.dataset.t];
  });
  $("#language").textContent = t().language;
  $("#grade").title = t().gradeKey;
}

// Choosing files: through the browser's file handles where it has them, so
// that each grading reads the file as it is then; otherwise the inputs.
async function choose(asInput) {
  if (!window.showOpenFilePicker) {
    $(asInput ? "#input-file" : "#submission-files").click();
    return;
  }
  try {
    const handles = await window.showOpenFilePicker({ multiple: !asInput });
    addFiles(store, handles.map((handle) => ({ handle })), asInput);
  } catch (error) {
    // The contestant closed the picker.
  }
}

function listen() {
  store.on(["language"], translate);
  store.on(["input", "submissions", "language"], () => renderFiles(store, t()));
  store.on(["input", "submissions"], () => {
    keepView();
    grade();
  });
  store.on(["result", "refusal", "language", "input", "submissions"], renderResults);
  store.on(["reference"], (state) => {
    renderCompare(state);
    compareAgain(state);
  });
  store.on(["shown", "result", "language"], drawShown);
  $("#language").addEventListener("click", () => {
    keepView();
    const language = store.get().language === "sl" ? "en" : "sl";
    localStorage.setItem("mirvasta-language", language);
    store.set({ language });
  });
  $("#choose-input").addEventListener("click", () => choose(true));
  $("#choose-submissions").addEventListener("click", () => choose(false));
  for (const [selector, asInput] of [["#input-file", true], ["#submission-files", false]]) {
    $(selector).addEventListener("change", (event) =>
      addFiles(store, [...event.target.files].map((file) => ({ file })), asInput));
  }
  $("#use-pasted").addEventListener("click", () =>
    addPasted(store, t(), $("#paste-input"), $("#paste-submission")));
  $("#grade").addEventListener("click", () => {
    keepView();
    grade();
  });
  document.addEventListener("keydown", (event) => {
    const typing = /^(INPUT|TEXTAREA|SELECT)$/.test(document.activeElement.tagName);
    if (!typing && !event.ctrlKey && !event.metaKey && !event.altKey &&
        (event.key === "r" || event.key === "R")) {
      event.preventDefault();
      keepView();
      grade();
    }
  });
  acceptDrops($("#drop"), (items) => addFiles(store, items));
}

// The worker, and the evaluator's known answers first: a build that
// computes other costs grades nothing.
function start() {
  const source = $("#worker-source").textContent;
  client = startWorker(source, (reason) => {
    stopBusy();
    store.set({ refusal: `${t().workerFailed} ${reason}` });
  });
  helper = startHelper(source, client.ask);
  startBusy(() => t().loading);
  client.ask("check").then((answer) => {
    stopBusy();
    if (answer.fault) {
      store.set({ refusal: `${t().knownAnswers} ${answer.fault}` });
      return;
    }
    document.documentElement.dataset.evaluator = "ready";
    grade();
  }, () => {});
}

// For tests and the console: files by their handles, as a drop adds them;
// the worker started again from the page's source; the latest grading.
window.mirvastaPage = {
  addHandles: (handles, asInput) => addFiles(store, handles.map((handle) => ({ handle })),
                                             asInput),
  restart: start,
  result: () => store.get().result,
};
listen();
translate(store.get());
renderFiles(store, t());
start();
