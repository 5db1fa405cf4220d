// The cards of a grading: for each submission, the evaluator's report as it
// stands (long lines cut as the judge cuts them), with an English gloss in
// English; an accepted one's table of costs; a refused one's line at fault
// among the lines around it, in the file at fault, with a hint where the
// file is not what the evaluator expects.

import { node } from "../drawing/dom.js";
import { costTable } from "./costs.js";
import { gloss } from "./glosses.js";
import { hintFor, shown } from "./text.js";

// `page` gives {t: the words, language, download(name, bytes), showBlock(k,
// b, focus)}.
export function renderCards(box, result, page) {
  const t = page.t;
  box.replaceChildren();
  if (result.error) {
    node("p", { class: "failure" }, box, `${t.failed} ${result.error}`);
    return;
  }
  if (result.inputReading.error) {
    box.append(unreadable(result.input, t));
    return;
  }
  result.submissions.forEach((source, k) => {
    const answer = result.answers[k];
    box.append(answer ? card(source, answer, result, k, page) : unreadable(source, t));
  });
}

function unreadable(source, t) {
  const card = node("section", { class: "submission refused" });
  node("h2", {}, card, `${source.label} — ${t.unreadable}`);
  node("p", {}, card, t.changed(source.label));
  return card;
}

function card(source, answer, result, k, page) {
  const t = page.t, accepted = answer.blocks !== undefined;
  const failure = answer.failure;
  const inputAtFault = failure && failure.file === 1;
  const card = node("section", { class: `submission ${accepted ? "ok" : "refused"}` });
  node("h2", {}, card, `${source.label} — ${accepted ? t.accepted : inputAtFault ?
                                                       t.inputRefused : t.refused}`);
  node("pre", { class: "report" }, card, shown(answer.shown));
  if (!accepted && page.language === "en") {
    const english = gloss(failure);
    if (english) node("p", { class: "gloss", lang: "en" }, card, english);
  }
  if (accepted && answer.blocks.length === 0) node("p", {}, card, t.noCase);
  if (accepted && answer.blocks.length > 0) {
    card.append(costTable(answer, t, (b, focus) => page.showBlock(k, b, focus)));
  }
  if (failure) card.append(details(failure, inputAtFault ? result.input : source, t));
  const name = source.name.replace(/(\.[^.]*)?$/, "") + ".report.txt";
  node("button", { class: "download-report" }, card, t.downloadReport)
      .addEventListener("click", () => page.download(name, answer.report));
  return card;
}

// The line at fault among the lines around it, and a hint.
function details(failure, file, t) {
  const box = node("div", { class: "failure" });
  node("p", {}, box, t.errorIn(file.label, failure.line));
  const listing = node("table", { class: "listing" });
  const line = (number, text, mark) => {
    const row = node("tr", number === failure.line ? { class: "offending" } : {}, listing);
    node("td", { class: "number" }, row, String(number));
    node("pre", {}, node("td", {}, row), text + mark);
  };
  for (const [number, text, length] of failure.excerpt) {
    line(number, shown(text), length > text.length ? t.cut(length) : "");
  }
  if (!failure.excerpt.some(([number]) => number === failure.line)) {
    line(failure.line, t.beyondEnd, "");
  }
  node("div", { class: "scroll" }, box).append(listing);
  const hint = hintFor(failure.head, failure.file === 2);
  if (hint) node("p", { class: "hint" }, box, t[hint]);
  return box;
}
