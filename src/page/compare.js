// The submissions side by side, scored as the judge scores them: against
// each case's least cost among those loaded, or against a submission chosen
// as the reference (one that leaves out cases, the judge refuses, and so
// does the page). Every submission has its column; a refused one scores 0.

import { node } from "../drawing/dom.js";

// How far a cost lies above its case's yardstick, as the table shows it;
// "" where it lies at or below it, or either is missing.
export function gapText(cost, yardstick) {
  if (cost === "" || yardstick === "") return "";
  const gap = Number(cost) - Number(yardstick);
  return gap > 0 ? `+${gap.toExponential(2)}` : "";
}

// `page` gives {t, reference: the chosen source's id or -1, choose(id),
// bestOf()}; `labels` each submission's label.
export function renderComparison(box, result, page) {
  const t = page.t, compared = result.compared;
  box.replaceChildren();
  if (!compared) return;
  node("h2", {}, box, t.compare);
  const accepted = result.submissions.filter((s, k) => result.answers[k] &&
                                                       result.answers[k].blocks);
  const select = node("select", { id: "reference" });
  node("option", { value: "-1" }, select, t.bestOfAll);
  for (const source of accepted) node("option", { value: String(source.id) }, select, source.label);
  select.value = String(page.reference);
  select.addEventListener("change", () => page.choose(Number(select.value)));
  const label = node("label", {}, node("p", { class: "reference" }, box), `${t.reference} `);
  label.append(select);
  if (compared.leftOut) {
    const reference = result.submissions.find((s) => s.id === page.reference);
    node("p", { class: "failure refusal" }, box, t.leftOut(reference.label, compared.leftOut));
    return;
  }
  const scroll = node("div", { class: "scroll", tabindex: "0", role: "region",
                               "aria-label": t.compare }, box);
  scroll.append(table(result, compared, t));
  node("button", { id: "download-best" }, box, t.downloadBest)
      .addEventListener("click", page.bestOf);
}

function table(result, compared, t) {
  const evaluated = result.submissions.filter((_, k) => result.places[k] >= 0);
  const table = node("table", { class: "compared" });
  const head = node("tr", {}, table);
  node("th", {}, head, t.caseColumn);
  for (const source of evaluated) node("th", {}, head, source.label);
  compared.cases.forEach(([caseNo, winner, ...costs], c) => {
    const row = node("tr", {}, table);
    node("td", {}, row, String(caseNo));
    costs.forEach((cost, column) => {
      const cell = node("td", column === winner ? { class: "cost best", title: t.best }
                                                : { class: "cost" }, row, cost === "" ? "–" : cost);
      const score = compared.scores[column][c + 1];
      const gap = gapText(cost, compared.yardsticks[c]);
      if (cost !== "" && score !== "1") {
        node("small", { title: t.gapTitle }, cell, `${gap} · ${Number(score).toFixed(4)}`);
      }
    });
  });
  const scores = node("tr", { class: "score" }, table);
  node("td", {}, scores, t.scoreRow);
  for (const score of compared.scores) node("td", {}, scores, score[0]);
  const totals = node("tr", { class: "total" }, table);
  node("td", {}, totals, t.totalRow);
  result.submissions.forEach((_, k) => {
    if (result.places[k] >= 0) {
      const answer = result.answers[k];
      node("td", { class: "cost" }, totals, answer.blocks ? answer.total : "–");
    }
  });
  return table;
}
