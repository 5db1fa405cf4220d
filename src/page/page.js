// The contestants' page: grade and see submissions in the browser, offline.
// Every cost shown comes from the evaluator's C++ code, compiled to
// WebAssembly and run in a worker (worker.js, PageApi.cpp); this script only
// reads files, shows answers and draws placements (draw.js).

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
    paste: "Prilepi besedilo",
    pasteInput: "Vhodna datoteka",
    pasteSubmission: "Oddaja",
    usePasted: "Uporabi prilepljeno",
    pasted: "prilepljeno",
    grade: "Oceni",
    remove: "Odstrani",
    none: "nobena",
    loading: "Nalagam ocenjevalnik …",
    reading: "Berem datoteke …",
    grading: (k, n, s) => `Ocenjujem oddajo ${k + 1} od ${n} … ${s} s`,
    accepted: "sprejeta",
    refused: "zavrnjena",
    caseColumn: "Primer",
    costColumn: "Cena",
    total: "Skupaj",
    noCase: "Oddaja ne reši nobenega testnega primera.",
    downloadReport: "Prenesi poročilo",
    errorAt: (file, line) => `Napaka je v ${line}. vrstici datoteke ${file}:`,
    beyondEnd: "(te vrstice ni, datoteka je krajša)",
    compare: "Primerjava oddaj",
    best: "najboljša",
    downloadBest: "Prenesi najboljše postavitve",
    view: "Ogled postavitve",
    viewHint: "Klik na vrstico tabele cen pokaže postavitev tega primera.",
    needInput: "Izberi še vhodno datoteko.",
    needSubmission: "Izberi še eno ali več oddaj.",
    failed: "Ocenjevalnik se je ustavil z napako:",
    language: "English",
  },
  en: {
    title: "Mirvasta: grade and view submissions",
    intro: "The page grades a submission exactly as the contest's evaluator does: with the " +
           "same program, compiled to WebAssembly, offline. Files stay on this computer.",
    drop: "Drop files here, or choose them.",
    inputLabel: "Input file:",
    submissionsLabel: "Submissions:",
    paste: "Paste text",
    pasteInput: "Input file",
    pasteSubmission: "Submission",
    usePasted: "Use the pasted text",
    pasted: "pasted",
    grade: "Grade",
    remove: "Remove",
    none: "none",
    loading: "Loading the evaluator …",
    reading: "Reading the files …",
    grading: (k, n, s) => `Grading submission ${k + 1} of ${n} … ${s} s`,
    accepted: "accepted",
    refused: "refused",
    caseColumn: "Case",
    costColumn: "Cost",
    total: "Total",
    noCase: "The submission answers no test case.",
    downloadReport: "Download the report",
    errorAt: (file, line) => `The error is on line ${line} of ${file}:`,
    beyondEnd: "(there is no such line: the file is shorter)",
    compare: "The submissions compared",
    best: "best",
    downloadBest: "Download the best placements",
    view: "Placement",
    viewHint: "Click a row of a table of costs to see that case's placement.",
    needInput: "Choose the input file as well.",
    needSubmission: "Choose one submission or more as well.",
    failed: "The evaluator stopped with an error:",
    language: "Slovensko",
  },
};

const state = {
  language: "sl",
  input: null,        // {name, bytes}
  submissions: [],    // [{name, bytes}]
  answers: null,      // the worker's answers, one per submission
  compared: null,
  shown: null,        // [submission, block] drawn
};
const $ = (selector) => document.querySelector(selector);
const t = () => words[state.language];

// The worker, made from the source this page holds, and its requests.
const worker = new Worker(URL.createObjectURL(
    new Blob([document.getElementById("worker-source").textContent],
             { type: "text/javascript" })));
let nextRequest = 1;
const pending = new Map();
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
function ask(request, onProgress = () => {}, transfer = []) {
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

// The lines from..to (counted from 1) of a file read as the evaluator reads
// it: byte 26 ends it, a carriage return before a line feed is dropped.
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
      if (line >= from) lines.push([line, data.subarray(start, Math.min(stop, start + 300))]);
      start = i + 1;
      ++line;
    }
  }
  return lines;
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

async function addFiles(files, asInput) {
  for (const file of files) {
    const entry = { name: file.name, bytes: await file.arrayBuffer() };
    if (asInput === true || (asInput === undefined && isInput(entry.bytes))) {
      state.input = entry;
    } else {
      state.submissions.push(entry);
    }
  }
  changed();
}

function changed() {
  state.answers = null;
  state.compared = null;
  state.shown = null;
  renderFiles();
  renderResults();
  if (state.input && state.submissions.length > 0) grade();
}

function renderFiles() {
  $("#input-name").textContent = state.input ? state.input.name : t().none;
  const list = $("#submission-list");
  list.replaceChildren(...state.submissions.map((s, k) => element("li", {}, s.name, " ",
      element("button", { class: "remove", title: t().remove, onclick: () => {
        state.submissions.splice(k, 1);
        changed();
      } }, "×"))));
}

async function grade() {
  const input = state.input, submissions = state.submissions;
  startBusy(() => t().loading);
  try {
    const total = submissions.length;
    let current = 0;
    busy.message = (s) => t().grading(current, total, s);
    busy.fraction = 0;
    const answers = await ask(
        { kind: "evaluate", input: input.bytes.slice(0),
          submissions: submissions.map((s) => s.bytes.slice(0)) },
        ([done, of]) => {
          current = done;
          if (busy) busy.fraction = done / of;
        });
    if (input !== state.input || submissions !== state.submissions) return;
    state.answers = answers;
    if (answers.filter((a) => a.blocks).length > 1) state.compared = await ask({ kind: "compare" });
  } catch (error) {
    state.answers = { error: String(error) };
  } finally {
    stopBusy();
  }
  renderResults();
}

function costTable(answer, k) {
  const table = element("table", { class: "costs" });
  const head = element("tr", {}, element("th", { "data-sort": "case" }, t().caseColumn),
                       element("th", { "data-sort": "cost" }, t().costColumn));
  table.append(head);
  const rows = answer.blocks.map(([caseNo, cost], b) => {
    const row = element("tr", { "data-block": b, onclick: () => showBlock(k, b) },
                        element("td", {}, caseNo), element("td", { class: "cost" }, cost));
    row.dataset.case = caseNo;
    row.dataset.cost = cost;
    return row;
  });
  table.append(...rows);
  const total = element("tr", { class: "total" }, element("td", {}, t().total),
                        element("td", { class: "cost" }, answer.total));
  table.append(total);
  let order = null;
  head.querySelectorAll("th").forEach((th) => th.addEventListener("click", () => {
    const key = th.dataset.sort;
    const up = !(order && order.key === key && order.up);
    order = { key, up };
    rows.sort((a, b) => (up ? 1 : -1) * (Number(a.dataset[key]) - Number(b.dataset[key])));
    head.querySelectorAll("th").forEach((h) => h.classList.remove("up", "down"));
    th.classList.add(up ? "up" : "down");
    table.append(...rows, total);
  }));
  return table;
}

function errorDetails(answer, k) {
  const failure = element("div", { class: "failure" });
  if (!answer.failedFile) return failure;
  const file = answer.failedFile === 1 ? state.input : state.submissions[k];
  const line = answer.failedLine;
  failure.append(element("p", {}, t().errorAt(file.name, line)));
  const lines = linesOf(file.bytes, Math.max(1, line - 3), line + 3);
  const listing = element("table", { class: "listing" });
  for (const [number, bytes] of lines) {
    listing.append(element("tr", number === line ? { class: "offending" } : {},
                           element("td", { class: "number" }, number),
                           element("td", {}, element("pre", {}, shown(bytes)))));
  }
  if (!lines.some(([number]) => number === line)) {
    listing.append(element("tr", { class: "offending" }, element("td", { class: "number" }, line),
                           element("td", {}, element("pre", {}, t().beyondEnd))));
  }
  failure.append(listing);
  return failure;
}

function renderResults() {
  const results = $("#results");
  results.replaceChildren();
  if (!state.input || state.submissions.length === 0) {
    if (state.input || state.submissions.length > 0) {
      results.append(element("p", {}, state.input ? t().needSubmission : t().needInput));
    }
    $("#compare").replaceChildren();
    return;
  }
  if (!state.answers) return;
  if (state.answers.error) {
    results.append(element("p", { class: "failure" }, t().failed, " ", state.answers.error));
    return;
  }
  state.answers.forEach((answer, k) => {
    const accepted = answer.blocks !== undefined;
    const card = element("section", { class: "submission " + (accepted ? "ok" : "refused") },
                         element("h2", {}, state.submissions[k].name, " — ",
                                 accepted ? t().accepted : t().refused));
    card.append(element("pre", { class: "report" }, shown(Uint8Array.from(
        answer.report, (c) => c.charCodeAt(0)))));
    if (accepted) {
      if (answer.blocks.length === 0) card.append(element("p", {}, t().noCase));
      else card.append(costTable(answer, k));
    } else {
      card.append(errorDetails(answer, k));
    }
    const name = state.submissions[k].name.replace(/(\.[^.]*)?$/, "") + ".report.txt";
    card.append(element("button", { class: "download-report",
                                    onclick: () => download(name, answer.report) },
                        t().downloadReport));
    results.append(card);
  });
  renderCompare();
}

function renderCompare() {
  const box = $("#compare");
  box.replaceChildren();
  const compared = state.compared;
  if (!compared) return;
  box.append(element("h2", {}, t().compare));
  const table = element("table", { class: "compared" });
  table.append(element("tr", {}, element("th", {}, t().caseColumn),
                       ...compared.submissions.map((k) => element("th", {},
                                                                  state.submissions[k].name))));
  for (const [caseNo, winner, ...costs] of compared.cases) {
    table.append(element("tr", {}, element("td", {}, caseNo), ...costs.map((cost, c) =>
        element("td", c === winner ? { class: "cost best", title: t().best } : { class: "cost" },
                cost === "" ? "–" : cost))));
  }
  box.append(table);
  box.append(element("button", { id: "download-best", onclick: async () =>
      download("best.txt", await ask({ kind: "best" })) }, t().downloadBest));
}

async function showBlock(k, b) {
  state.shown = [k, b];
  const block = await ask({ kind: "block", submission: k, block: b });
  const root = $("#placement");
  mirvastaPlacement(root, block, mirvastaText[state.language]);
  document.querySelectorAll("tr.shown").forEach((row) => row.classList.remove("shown"));
  const row = document.querySelectorAll("#results section")[k]
                  .querySelector(`tr[data-block="${b}"]`);
  if (row) row.classList.add("shown");
  $("#viewer").scrollIntoView({ behavior: "smooth" });
}

function translate() {
  document.documentElement.lang = state.language;
  document.querySelectorAll("[data-t]").forEach((node) => {
    node.textContent = t()[node.dataset.t];
  });
  $("#language").textContent = t().language;
  renderFiles();
  renderResults();
  if (state.shown) showBlock(...state.shown);
}

$("#language").addEventListener("click", () => {
  state.language = state.language === "sl" ? "en" : "sl";
  translate();
});
$("#input-file").addEventListener("change", (event) => addFiles(event.target.files, true));
$("#submission-files").addEventListener("change", (event) => addFiles(event.target.files, false));
$("#use-pasted").addEventListener("click", () => {
  const encode = (text) => new TextEncoder().encode(text).buffer;
  const input = $("#paste-input").value, submission = $("#paste-submission").value;
  if (input) state.input = { name: t().pasted + " (" + t().pasteInput + ")", bytes: encode(input) };
  if (submission) {
    state.submissions.push({ name: t().pasted + " (" + t().pasteSubmission + ")",
                             bytes: encode(submission) });
  }
  changed();
});
$("#grade").addEventListener("click", () => changed());
const drop = $("#drop");
drop.addEventListener("dragover", (event) => {
  event.preventDefault();
  drop.classList.add("over");
});
drop.addEventListener("dragleave", () => drop.classList.remove("over"));
drop.addEventListener("drop", (event) => {
  event.preventDefault();
  drop.classList.remove("over");
  addFiles(event.dataTransfer.files);
});
translate();
