// The contestants' page: grade and see submissions in the browser, offline.
// Every cost and score shown comes from the evaluator's and the judge's C++
// code, compiled to WebAssembly and run in a worker (worker.js,
// wasm/PageApi.cpp); this script reads files, shows answers and draws
// placements (draw.js).
//
// The contestant's loop is: solve, grade, look, keep the best, again. So
// every grading reads each file as it is at that moment (through its handle
// where the browser gives one), and only the latest grading ever shows:
// each has a number, and what comes back for an older one is dropped.

"use strict";

const words = {
  sl: {
    title: "Mirvasta: ocenjevanje in ogled oddaj",
    intro: "Stran oceni oddajo natanko tako kot ocenjevalnik tekmovanja: z istim " +
           "programom, prevedenim v WebAssembly, brez povezave z internetom. Datoteke " +
           "ostanejo na tem računalniku.",
    drop: "Spusti datoteke sem ali jih izberi.",
    inputLabel: "Vhodna datoteka:",
    submissionsLabel: "Oddaje:",
    chooseInput: "Izberi vhodno datoteko",
    chooseSubmissions: "Izberi oddaje",
    paste: "Prilepi besedilo",
    pasteInput: "Vhodna datoteka",
    pasteSubmission: "Oddaja",
    usePasted: "Uporabi prilepljeno",
    pasted: "prilepljeno",
    grade: "Oceni",
    gradeKey: "Oceni znova vse datoteke, kot so zdaj (tipka R)",
    remove: "Odstrani",
    none: "nobena",
    loading: "Nalagam ocenjevalnik …",
    reading: "Berem datoteke …",
    grading: (k, n, s) => `Ocenjujem oddajo ${k + 1} od ${n} … ${s} s`,
    accepted: "sprejeta",
    refused: "zavrnjena",
    inputRefused: "vhodna datoteka je zavrnjena",
    unreadable: "ni je mogoče prebrati",
    caseColumn: "Primer",
    costColumn: "Cena",
    counts: "Šteje",
    notCounted: "ne šteje: isti primer ima nižjo ceno v drugem bloku",
    total: (answered, cases) => `Skupaj, vsak primer enkrat (${slovenian(answered,
        ["odgovorjen primer", "odgovorjena primera", "odgovorjeni primeri",
         "odgovorjenih primerov"])} od ${cases})`,
    noCase: "Oddaja ne reši nobenega testnega primera.",
    downloadReport: "Prenesi poročilo",
    errorIn: (file, line) => `Napaka je v ${line}. vrstici datoteke ${file}:`,
    beyondEnd: "(te vrstice ni, datoteka je krajša)",
    changed: (name) => `Datoteke ${name} ni mogoče prebrati: spremenila se je, odkar je bila ` +
                       "izbrana, ali pa ni več dostopna. Izberi jo znova.",
    hintBom: "Datoteka se začne z oznako BOM (EF BB BF): shrani jo kot navadno besedilo " +
             "brez oznake BOM.",
    hintUtf16: "Datoteka je videti zapisana v UTF-16: shrani jo kot navadno besedilo " +
               "(ASCII ali UTF-8).",
    hintBinary: "Datoteka ni videti besedilo.",
    compare: "Primerjava oddaj",
    reference: "Merilo ocene:",
    bestOfAll: "najboljša cena vsakega primera med naloženimi oddajami",
    scoreRow: "Ocena (kot pri sodniku)",
    totalRow: "Skupna cena",
    gapTitle: "razlika do merila in ocena primera",
    best: "najboljša",
    downloadBest: "Prenesi najboljše postavitve",
    view: "Ogled postavitve",
    viewHint: "Klik na vrstico tabele cen (ali Enter) pokaže postavitev tega primera.",
    needInput: "Izberi še vhodno datoteko.",
    needSubmission: "Izberi še eno ali več oddaj.",
    failed: "Ocenjevalnik se je ustavil z napako:",
    workerFailed: "Ocenjevalnika ni bilo mogoče zagnati:",
    knownAnswers: "Ta prevod ocenjevalnika ne da pravilnih rezultatov na znanih primerih, " +
                  "zato ne ocenjuje:",
    language: "English",
  },
  en: {
    title: "Mirvasta: grade and view submissions",
    intro: "The page grades a submission exactly as the contest's evaluator does: with the " +
           "same program, compiled to WebAssembly, offline. Files stay on this computer.",
    drop: "Drop files here, or choose them.",
    inputLabel: "Input file:",
    submissionsLabel: "Submissions:",
    chooseInput: "Choose the input file",
    chooseSubmissions: "Choose submissions",
    paste: "Paste text",
    pasteInput: "Input file",
    pasteSubmission: "Submission",
    usePasted: "Use the pasted text",
    pasted: "pasted",
    grade: "Grade",
    gradeKey: "Grade every file again, as it is now (key R)",
    remove: "Remove",
    none: "none",
    loading: "Loading the evaluator …",
    reading: "Reading the files …",
    grading: (k, n, s) => `Grading submission ${k + 1} of ${n} … ${s} s`,
    accepted: "accepted",
    refused: "refused",
    inputRefused: "the input file is refused",
    unreadable: "cannot be read",
    caseColumn: "Case",
    costColumn: "Cost",
    counts: "Counts",
    notCounted: "does not count: the same case costs less in another block",
    total: (answered, cases) => `Total, each case once (${answered} ` +
                                `${answered === 1 ? "case" : "cases"} answered of ${cases})`,
    noCase: "The submission answers no test case.",
    downloadReport: "Download the report",
    errorIn: (file, line) => `The error is on line ${line} of ${file}:`,
    beyondEnd: "(there is no such line: the file is shorter)",
    changed: (name) => `${name} cannot be read: it has changed since it was chosen, or it is ` +
                       "no longer there. Choose it again.",
    hintBom: "The file starts with a byte order mark (EF BB BF): save it as plain text " +
             "without one.",
    hintUtf16: "The file looks like UTF-16: save it as plain text (ASCII or UTF-8).",
    hintBinary: "The file does not look like text.",
    compare: "The submissions compared",
    reference: "Scored against:",
    bestOfAll: "each case's least cost among the submissions loaded",
    scoreRow: "Score (as the judge's)",
    totalRow: "Total cost",
    gapTitle: "the gap to the yardstick, and the case's score",
    best: "best",
    downloadBest: "Download the best placements",
    view: "Placement",
    viewHint: "Click a row of a table of costs (or press Enter on it) to see that case's " +
              "placement.",
    needInput: "Choose the input file as well.",
    needSubmission: "Choose one submission or more as well.",
    failed: "The evaluator stopped with an error:",
    workerFailed: "The evaluator could not start:",
    knownAnswers: "This build of the evaluator does not give the right results on known " +
                  "placements, so it grades nothing:",
    language: "Slovensko",
  },
};

// The evaluator's messages glossed in English, by their check line: the
// message stays as the evaluator writes it, the gloss stands beneath.
const glosses = [
  [/^manjka (\d+)\. vrstica$/, "line $1 is missing"],
  [/^v (\d+)\. vrstici bi moralo biti (\d+) stevil, ne pa (\d+)$/, "line $1 should hold $2 numbers, not $3"],
  [/^prisotna je tudi (\d+)\. vrstica, pricakoval bi konec datoteke$/, "there is a line $1 as well, where the file should end"],
  [/^namesto stevke se v (\d+)\. vrstici pojavlja znak '-' \(minus\)$/, "line $1 holds a minus sign where a digit should be"],
  [/^(\d+)\. vrstica se konca z znakom '-' \(minus\)$/, "line $1 ends with a minus sign"],
  [/^namesto stevke se v (\d+)\. vrstici pojavlja znak s kodo (\d+)$/, "line $1 holds the character of code $2 where a digit should be"],
  [/^stevilo (.*) \(v (\d+)\. vrstici\) je premajhno \(manjse od (-?\d+)\)$/, "the number $1 (on line $2) is too small (below $3)"],
  [/^stevilo (.*) \(v (\d+)\. vrstici\) je preveliko \(vecje od (\d+)\)$/, "the number $1 (on line $2) is too large (above $3)"],
  [/^pred vsakim testnim primerom mora biti prazna vrstica$/, "an empty line must stand before each test case"],
  [/^stevilo krogov bi moralo biti od 1 do (\d+), ne pa (-?\d+)$/, "the number of circles should be from 1 to $1, not $2"],
  [/^za (\d+)-tim polmerom bi moral biti konec vrstice$/, "the line should end after radius $1"],
  [/^napaka pri branju (\d+)-tega polmera$/, "radius $1 cannot be read"],
  [/^polmer bi moral biti vecji od 0 in ne vecji od (.*)$/, "a radius should be above 0 and at most $1"],
  [/^v prvi vrstici bi moral biti niz "Mirvasta", ne pa "(.*)"$/s, "line 1 should be \"Mirvasta\", not \"$1\""],
  [/^v drugi vrstici bi moralo biti stevilo testnih primerov, ne pa "(.*)"$/s, "line 2 should hold the number of test cases, not \"$1\""],
  [/^v vrsticah (\d+)\.\.(\d+) bi moral biti testni primer stevilka (\d+), ne pa (-?\d+)$/, "lines $1 to $2 should hold test case $3, not $4"],
  [/^v (\d+)\. vrstici je za koordinatama se nekaj$/, "line $1 holds something after the two coordinates"],
  [/^v (\d+)\. vrstici bi morali biti dve realni stevili \(koordinati sredisca (\d+)-tega kroga\)$/, "line $1 should hold two real numbers, the centre of circle $2"],
  [/^v (\d+)\. vrstici bi morala biti ([xy])-koordinata vecja ali enaka 0$/, "on line $1 the $2 coordinate should be 0 or more"],
  [/^v (\d+)\. vrstici bi morala biti ([xy])-koordinata manjsa ali enaka 1$/, "on line $1 the $2 coordinate should be 1 or less"],
  [/^stevilka tekmovalca bi morala imeti 6 stevk$/, "the contestant's number should have 6 digits"],
  [/^v prvi vrstici bi morala biti stevilka tekmovalca, ne pa "(.*)"$/s, "line 1 should hold the contestant's number, not \"$1\""],
  [/^v drugi vrstici bi moral biti niz "Mirvasta", ne pa "(.*)"$/s, "line 2 should be \"Mirvasta\", not \"$1\""],
  [/^v (\d+)\. vrstici bi morala biti stevilka testnega primera, ne pa "(.*)"$/s, "line $1 should hold a test case's number, not \"$2\""],
  [/^v (\d+)\. vrstici bi morala biti stevilka testnega primera od 1 do (\d+), ne pa (.*)$/, "line $1 should hold a test case's number from 1 to $2, not $3"],
  [/^v (\d+)\. vrstici se pojavlja neveljavna stevilka testnega primera: (-?\d+)$/, "line $1 holds a test case's number that the input does not have: $2"],
  [/^Nepricakovana napaka\./, "An unexpected error. Please tell the contest's organisers."],
];

function gloss(report) {
  const line = report.split("\n")[0];
  const message = line.replace(/^Napaka \[[^\]]*\]: /, "");
  for (const [pattern, english] of glosses) {
    if (pattern.test(message)) return message.replace(pattern, english);
  }
  return "";
}

// Slovenian nouns after a number: one, two, three and four, the rest.
function slovenian(n, forms) {
  const m = n % 100;
  return `${n} ${forms[m === 1 ? 0 : m === 2 ? 1 : m === 3 || m === 4 ? 2 : 3]}`;
}

const state = {
  language: localStorage.getItem("mirvasta-language") === "en" ? "en" : "sl",
  input: null,        // a source: {id, name, handle | file | bytes}
  submissions: [],    // sources, replaced whole on every change, never changed in place
  reference: -1,      // the source id whose costs are the yardsticks, or -1: the best of all
  result: null,       // the latest grading's: {input, submissions, inputReading, answers, compared}
  shown: null,        // {source: its id, block, view}: the placement drawn, kept across gradings
  refusal: null,      // why the evaluator grades nothing, from its known answers
};
const $ = (selector) => document.querySelector(selector);
const t = () => words[state.language];
let nextSource = 1;

// The worker, made from the source this page holds, and its requests.
let worker = null;
const pending = new Map();
let nextRequest = 1;
function startWorker() {
  try {
    worker = new Worker(URL.createObjectURL(
        new Blob([document.getElementById("worker-source").textContent],
                 { type: "text/javascript" })));
  } catch (error) {
    workerFailed(error);
    return;
  }
  worker.onmessage = (event) => {
    const { id, progress, answer, error } = event.data;
    const request = pending.get(id);
    if (!request) return;
    if (progress) {
      request.onProgress(progress);
    } else {
      pending.delete(id);
      if (error !== undefined) request.reject(new Error(error)); else request.resolve(answer);
    }
  };
  worker.onerror = (event) => {
    event.preventDefault();
    workerFailed(event.message || "error");
  };
}
function workerFailed(error) {
  const message = String(error && error.message || error);
  for (const request of pending.values()) request.reject(new Error(message));
  pending.clear();
  worker = null;
  state.refusal = t().workerFailed + " " + message;
  stopBusy();
  renderResults();
}
function ask(request, onProgress = () => {}, transfer = []) {
  if (!worker) return Promise.reject(new Error(state.refusal || "no worker"));
  const id = nextRequest++;
  return new Promise((resolve, reject) => {
    pending.set(id, { resolve, reject, onProgress });
    worker.postMessage({ id, ...request }, transfer);
  });
}

// Says what is going on once it has taken half a second.
let busy = null;
function startBusy(message) {
  stopBusy();
  const started = performance.now();
  busy = { message, timer: setInterval(() => showBusy(started), 100) };
}
function showBusy(started) {
  const seconds = (performance.now() - started) / 1000;
  if (!busy || seconds < 0.5) return;
  const box = $("#progress");
  box.hidden = false;
  box.querySelector("span").textContent = busy.message(seconds.toFixed(1));
  const bar = box.querySelector("progress");
  if (busy.fraction === undefined) bar.removeAttribute("value"); else bar.value = busy.fraction;
}
function stopBusy() {
  if (busy) clearInterval(busy.timer);
  busy = null;
  $("#progress").hidden = true;
}

// Bytes as text for showing: bytes above 127 as Windows-1252 shows them,
// control characters as their visible symbols.
function shown(bytes) {
  const text = new TextDecoder("windows-1252").decode(bytes);
  return text.replace(/[\x00-\x08\x0b-\x1f]/g, (c) => String.fromCharCode(0x2400 + c.charCodeAt(0)));
}

// What a file that the evaluator refuses may be instead of plain text.
function encodingHint(data) {
  if (data[0] === 0xef && data[1] === 0xbb && data[2] === 0xbf) return t().hintBom;
  if ((data[0] === 0xff && data[1] === 0xfe) || (data[0] === 0xfe && data[1] === 0xff)) {
    return t().hintUtf16;
  }
  let zeros = 0, controls = 0;
  for (const b of data) {
    if (b === 0) ++zeros;
    else if (b < 9 || (b > 13 && b < 32 && b !== 26)) ++controls;
  }
  if (zeros > data.length / 4) return t().hintUtf16;
  if (zeros + controls > 0) return t().hintBinary;
  return "";
}

function element(name, attributes = {}, ...children) {
  const node = document.createElement(name);
  for (const key in attributes) {
    if (key === "onclick") node.addEventListener("click", attributes[key]);
    else node.setAttribute(key, attributes[key]);
  }
  for (const child of children) {
    node.append(child instanceof Node ? child : String(child));
  }
  return node;
}

// A table row that a click or Enter activates.
function activeRow(attributes, action, ...cells) {
  const row = element("tr", { ...attributes, tabindex: "0", onclick: action }, ...cells);
  row.addEventListener("keydown", (event) => {
    if (event.key === "Enter" || event.key === " ") {
      event.preventDefault();
      action();
    }
  });
  return row;
}

function download(name, text) {
  const bytes = Uint8Array.from(text, (c) => c.charCodeAt(0));
  const link = element("a", { href: URL.createObjectURL(new Blob([bytes])), download: name });
  document.body.appendChild(link);
  link.click();
  link.remove();
}

// A file is an input when it starts with the task's name, a submission when
// with a contestant's six digits.
function isInput(bytes) {
  const head = new TextDecoder().decode(new Uint8Array(bytes, 0, Math.min(9, bytes.byteLength)));
  return head.startsWith("Mirvasta");
}

// A source's bytes as they are now: through its handle, its file, or the
// pasted text. A file the browser no longer lets the page read (Chromium,
// once it has changed on disk) gives {error}.
async function readSource(source) {
  try {
    if (source.handle) return { bytes: await (await source.handle.getFile()).arrayBuffer() };
    if (source.file) return { bytes: await source.file.arrayBuffer() };
    return { bytes: source.bytes.slice(0) };
  } catch (error) {
    return { error: String(error && error.message || error) };
  }
}

// Adds files, as handles where the browser gives them, or as File objects,
// or pasted bytes; each an input where `asInput` (or the item's own) is
// true, a submission where false, and by its first bytes where undefined.
async function addSources(items, asInput) {
  let input = state.input;
  const submissions = [...state.submissions];
  for (const item of items) {
    const source = { id: nextSource++, name: item.name, handle: item.handle, file: item.file,
                     bytes: item.bytes };
    let kind = item.asInput !== undefined ? item.asInput : asInput;
    if (kind === undefined) {
      const read = await readSource(source);
      kind = read.bytes ? isInput(read.bytes) : false;
    }
    if (kind) input = source; else submissions.push(source);
  }
  state.input = input;
  state.submissions = submissions;
  changed();
}

function fromHandles(handles) {
  return handles.map((handle) => ({ name: handle.name, handle }));
}

// Anything that changes the files or the reference: the grading under way,
// if any, is dropped, and what it showed goes.
function changed() {
  ++gradings;
  state.result = null;
  if (state.shown && $("#placement").mirvasta) state.shown.view = $("#placement").mirvasta.view();
  stopBusy();
  renderFiles();
  renderResults();
  if (state.input && state.submissions.length > 0) grade();
}

function renderFiles() {
  $("#input-name").textContent = state.input ? state.input.name : t().none;
  $("#submission-list").replaceChildren(...state.submissions.map((s) => element("li", {}, s.name,
      " ", element("button", { class: "remove", title: t().remove, "aria-label":
          `${t().remove} ${s.name}`, onclick: () => {
        state.submissions = state.submissions.filter((other) => other !== s);
        if (state.reference === s.id) state.reference = -1;
        changed();
      } }, "×"))));
}

// Gradings are numbered; after every wait a grading checks that it is still
// the latest, and an older one stops without a trace.
let gradings = 0;
async function grade() {
  const id = ++gradings;
  const current = () => id === gradings;
  const input = state.input, submissions = state.submissions;
  state.result = null;
  if (state.refusal) {
    renderResults();
    return;
  }
  startBusy(() => t().reading);
  const sources = [input, ...submissions];
  const readings = await Promise.all(sources.map(readSource));
  if (!current()) return;
  const result = { input, submissions, inputReading: readings[0], answers: null,
                   compared: null, error: null };
  try {
    if (readings[0].error) {
      state.result = result;
      return;
    }
    const readable = readings.slice(1).map((r, k) => [r, k]).filter(([r]) => r.bytes);
    const total = readable.length;
    let done = 0;
    busy.message = (s) => t().grading(done, total, s);
    busy.fraction = 0;
    // Handed over, not copied: the worker sends back what a card shows.
    const buffers = [readings[0].bytes, ...readable.map(([r]) => r.bytes)];
    const answers = await ask({ kind: "evaluate", input: buffers[0], submissions: buffers.slice(1) },
                              ([k, of]) => {
                                if (!current() || !busy) return;
                                done = k;
                                busy.fraction = k / of;
                              }, buffers);
    if (!current()) return;
    result.answers = new Array(submissions.length).fill(null);
    readable.forEach(([, k], place) => {
      result.answers[k] = answers[place];
      result.answers[k].place = place;
    });
    const referencePlace = result.answers.findIndex((a, k) => a && a.blocks &&
                                                         submissions[k].id === state.reference);
    if (answers.some((a) => a.blocks)) {
      result.compared = await ask({ kind: "compare", reference: referencePlace < 0 ? -1 :
                                    result.answers[referencePlace].place });
      if (!current()) return;
    }
    state.result = result;
  } catch (error) {
    if (!current()) return;
    result.error = String(error && error.message || error);
    state.result = result;
  } finally {
    if (current()) {
      stopBusy();
      renderResults();
    }
  }
}

function costTable(answer, k) {
  const table = element("table", { class: "costs" });
  const sorter = (key, label) => {
    const button = element("button", { type: "button", "data-sort": key }, label);
    return element("th", { "aria-sort": "none" }, button);
  };
  const head = element("tr", {}, sorter("case", t().caseColumn), sorter("cost", t().costColumn),
                       element("th", {}, t().counts));
  table.append(head);
  const rows = answer.blocks.map(([caseNo, cost, counts], b) => {
    const row = activeRow({ "data-block": b, class: counts ? "" : "not-counted" },
                          () => showBlock(k, b), element("td", {}, caseNo),
                          element("td", { class: "cost" }, cost),
                          element("td", counts ? {} : { title: t().notCounted },
                                  counts ? "✓" : "–"));
    row.dataset.case = caseNo;
    row.dataset.cost = cost;
    return row;
  });
  table.append(...rows);
  const total = element("tr", { class: "total" },
                        element("td", {}, t().total(answer.answered, caseCount())),
                        element("td", { class: "cost" }, answer.total), element("td"));
  table.append(total);
  let order = null;
  head.querySelectorAll("th button").forEach((button) => button.addEventListener("click", () => {
    const key = button.dataset.sort;
    const up = !(order && order.key === key && order.up);
    order = { key, up };
    rows.sort((a, b) => (up ? 1 : -1) * (Number(a.dataset[key]) - Number(b.dataset[key])));
    head.querySelectorAll("th").forEach((h) => h.setAttribute("aria-sort", "none"));
    button.parentNode.setAttribute("aria-sort", up ? "ascending" : "descending");
    table.append(...rows, total);
  }));
  return element("div", { class: "scroll" }, table);
}

// The number of the input's cases, from the comparison.
function caseCount() {
  const compared = state.result && state.result.compared;
  return compared ? compared.cases.length : "?";
}

function errorDetails(answer, file) {
  const failure = element("div", { class: "failure" });
  const line = answer.failedLine;
  failure.append(element("p", {}, t().errorIn(file.name, line)));
  const lines = answer.excerpt;
  const listing = element("table", { class: "listing" });
  for (const [number, text] of lines) {
    listing.append(element("tr", number === line ? { class: "offending" } : {},
                           element("td", { class: "number" }, number),
                           element("td", {}, element("pre", {}, shown(text)))));
  }
  if (!lines.some(([number]) => number === line)) {
    listing.append(element("tr", { class: "offending" }, element("td", { class: "number" }, line),
                           element("td", {}, element("pre", {}, t().beyondEnd))));
  }
  failure.append(element("div", { class: "scroll" }, listing));
  const hint = encodingHint(answer.head);
  if (hint) failure.append(element("p", { class: "hint" }, hint));
  return failure;
}

// The report as the evaluator wrote it, with an English gloss beneath an
// error's message in English mode.
function report(answer) {
  const box = element("div", {}, element("pre", { class: "report" }, shown(Uint8Array.from(
      answer.report, (c) => c.charCodeAt(0)))));
  const english = state.language === "en" && !answer.blocks ? gloss(answer.report) : "";
  if (english) box.append(element("p", { class: "gloss", lang: "en" }, english));
  return box;
}

function renderResults() {
  const results = $("#results");
  results.replaceChildren();
  $("#compare").replaceChildren();
  if (state.refusal) {
    results.append(element("p", { class: "failure" }, state.refusal));
    return;
  }
  if (!state.input || state.submissions.length === 0) {
    if (state.input || state.submissions.length > 0) {
      results.append(element("p", {}, state.input ? t().needSubmission : t().needInput));
    }
    return;
  }
  const result = state.result;
  if (!result) return;
  if (result.error) {
    results.append(element("p", { class: "failure" }, t().failed, " ", result.error));
    return;
  }
  if (result.inputReading.error) {
    results.append(element("section", { class: "submission refused" },
                           element("h2", {}, result.input.name, " — ", t().unreadable),
                           element("p", {}, t().changed(result.input.name))));
    return;
  }
  result.submissions.forEach((source, k) => {
    const answer = result.answers[k];
    if (!answer) {
      results.append(element("section", { class: "submission refused" },
                             element("h2", {}, source.name, " — ", t().unreadable),
                             element("p", {}, t().changed(source.name))));
      return;
    }
    const accepted = answer.blocks !== undefined;
    // The card blames the file the error is in.
    const inputAtFault = answer.failedFile === 1;
    const card = element("section", { class: "submission " + (accepted ? "ok" : "refused") },
                         element("h2", {}, source.name, " — ", accepted ? t().accepted :
                                 inputAtFault ? t().inputRefused : t().refused));
    card.append(report(answer));
    if (accepted) {
      if (answer.blocks.length === 0) card.append(element("p", {}, t().noCase));
      else card.append(costTable(answer, k));
    } else if (answer.failedFile) {
      card.append(errorDetails(answer, inputAtFault ? result.input : source));
    }
    const name = source.name.replace(/(\.[^.]*)?$/, "") + ".report.txt";
    card.append(element("button", { class: "download-report",
                                    onclick: () => download(name, answer.report) },
                        t().downloadReport));
    results.append(card);
  });
  renderCompare();
  // The placement looked at stays in view across gradings, as long as its
  // submission answers the block.
  const shownSource = state.shown &&
                      result.submissions.findIndex((s) => s.id === state.shown.source);
  const answer = shownSource >= 0 ? result.answers[shownSource] : null;
  if (answer && answer.blocks && state.shown.block < answer.blocks.length) {
    showBlock(shownSource, state.shown.block, state.shown.view);
  } else {
    state.shown = null;
    $("#placement").replaceChildren();
  }
}

// The accepted submissions side by side, scored as the judge scores them.
function renderCompare() {
  const box = $("#compare");
  const result = state.result, compared = result.compared;
  if (!compared) return;
  const columns = compared.submissions.map((place) =>
    result.answers.findIndex((a) => a && a.place === place));
  box.append(element("h2", {}, t().compare));
  const select = element("select", { id: "reference" },
                         element("option", { value: "-1" }, t().bestOfAll),
                         ...columns.map((k) => element("option", { value: result.submissions[k].id },
                                                       result.submissions[k].name)));
  select.value = String(state.reference);
  select.addEventListener("change", () => {
    state.reference = Number(select.value);
    changed();
  });
  box.append(element("p", {}, element("label", {}, t().reference, " ", select)));
  const table = element("table", { class: "compared" });
  table.append(element("tr", {}, element("th", {}, t().caseColumn),
                       ...columns.map((k) => element("th", {}, result.submissions[k].name))));
  compared.cases.forEach(([caseNo, winner, ...costs], c) => {
    table.append(element("tr", {}, element("td", {}, caseNo), ...costs.map((cost, column) => {
      const score = compared.scores[column][c + 1];
      const attributes = column === winner ? { class: "cost best", title: t().best }
                                           : { class: "cost" };
      const cell = element("td", attributes, cost === "" ? "–" : cost);
      if (cost !== "" && score !== "1") {
        const least = costs[winner];
        cell.append(element("small", { title: t().gapTitle },
                            `+${(Number(cost) - Number(least)).toExponential(2)} · ` +
                            `${Number(score).toFixed(4)}`));
      }
      return cell;
    })));
  });
  table.append(element("tr", { class: "score" }, element("td", {}, t().scoreRow),
                       ...compared.scores.map((scores) => element("td", {}, scores[0]))));
  table.append(element("tr", { class: "total" }, element("td", {}, t().totalRow),
                       ...columns.map((k) => element("td", { class: "cost" },
                                                      result.answers[k].total))));
  box.append(element("div", { class: "scroll" }, table));
  box.append(element("button", { id: "download-best", onclick: async () =>
      download("best.txt", await ask({ kind: "best" })) }, t().downloadBest));
}

// Draws block b of submission k; a view given is kept (a new grading or
// language), otherwise the drawing shows everything and comes into sight.
async function showBlock(k, b, view = undefined) {
  const result = state.result;
  const answer = result && result.answers[k];
  if (!answer || !answer.blocks) return;
  state.shown = { source: result.submissions[k].id, block: b, view };
  const block = await ask({ kind: "block", submission: answer.place, block: b });
  if (state.result !== result) return;
  const keep = view;
  mirvastaPlacement($("#placement"), block, mirvastaText[state.language], { view: keep });
  document.querySelectorAll("tr.shown").forEach((row) => row.classList.remove("shown"));
  const row = document.querySelectorAll("#results section")[k]
                  .querySelector(`tr[data-block="${b}"]`);
  if (row) row.classList.add("shown");
  if (view === undefined) $("#viewer").scrollIntoView({ behavior: "smooth" });
}

function translate() {
  document.documentElement.lang = state.language;
  document.querySelectorAll("[data-t]").forEach((node) => {
    node.textContent = t()[node.dataset.t];
  });
  $("#language").textContent = t().language;
  $("#grade").title = t().gradeKey;
  renderFiles();
  if (state.shown && $("#placement").mirvasta) state.shown.view = $("#placement").mirvasta.view();
  if (state.result || state.refusal) renderResults();
}

// Choosing files: through the browser's file handles where it has them, so
// that each grading reads the file as it is then; otherwise the inputs.
async function choose(asInput) {
  if (window.showOpenFilePicker) {
    try {
      addSources(fromHandles(await window.showOpenFilePicker({ multiple: !asInput })), asInput);
    } catch (error) {
      // The contestant closed the picker.
    }
    return;
  }
  $(asInput ? "#input-file" : "#submission-files").click();
}

$("#language").addEventListener("click", () => {
  state.language = state.language === "sl" ? "en" : "sl";
  localStorage.setItem("mirvasta-language", state.language);
  translate();
});
$("#choose-input").addEventListener("click", () => choose(true));
$("#choose-submissions").addEventListener("click", () => choose(false));
$("#input-file").addEventListener("change", (event) =>
  addSources([...event.target.files].map((file) => ({ name: file.name, file })), true));
$("#submission-files").addEventListener("change", (event) =>
  addSources([...event.target.files].map((file) => ({ name: file.name, file })), false));
$("#use-pasted").addEventListener("click", () => {
  const encode = (text) => new TextEncoder().encode(text).buffer;
  const input = $("#paste-input").value, submission = $("#paste-submission").value;
  const items = [];
  if (input) {
    items.push({ name: `${t().pasted} (${t().pasteInput})`, bytes: encode(input), asInput: true });
  }
  if (submission) {
    items.push({ name: `${t().pasted} (${t().pasteSubmission})`, bytes: encode(submission),
                 asInput: false });
  }
  addSources(items);
});
$("#grade").addEventListener("click", () => changed());
document.addEventListener("keydown", (event) => {
  const typing = /^(INPUT|TEXTAREA|SELECT)$/.test(document.activeElement.tagName);
  if (!typing && !event.ctrlKey && !event.metaKey && !event.altKey &&
      (event.key === "r" || event.key === "R")) {
    event.preventDefault();
    changed();
  }
});
const drop = $("#drop");
drop.addEventListener("dragover", (event) => {
  event.preventDefault();
  drop.classList.add("over");
});
drop.addEventListener("dragleave", () => drop.classList.remove("over"));
drop.addEventListener("drop", async (event) => {
  event.preventDefault();
  drop.classList.remove("over");
  const items = [...event.dataTransfer.items].filter((item) => item.kind === "file");
  const handles = items[0] && items[0].getAsFileSystemHandle ?
      await Promise.all(items.map((item) => item.getAsFileSystemHandle())) : [];
  if (handles.length > 0 && handles.every((h) => h && h.kind === "file")) {
    addSources(fromHandles(handles));
  } else {
    addSources([...event.dataTransfer.files].map((file) => ({ name: file.name, file })));
  }
});

// For tests and the console: files by their handles, as a drop adds them.
window.mirvastaPage = { addHandles: (handles, asInput) => addSources(fromHandles(handles), asInput) };

translate();
startWorker();
// The known answers first: a build that computes other costs grades nothing.
startBusy(() => t().loading);
ask({ kind: "check" }).then((answer) => {
  if (answer.fault) state.refusal = t().knownAnswers + " " + answer.fault;
}).catch((error) => {
  state.refusal = t().workerFailed + " " + String(error && error.message || error);
}).finally(() => {
  stopBusy();
  renderResults();
  if (state.refusal === null && state.input && state.submissions.length > 0) grade();
});
