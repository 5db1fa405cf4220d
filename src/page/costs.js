// A submission's table of case blocks and their costs, as the report prints
// them, sortable by either column, with the total of the cases, each once.
// One stop of the Tab key: the arrows walk the sort buttons and the rows,
// Enter on a row draws its case.

import { node } from "../drawing/dom.js";
import { rovingFocus } from "./keys.js";

// `showBlock(b, focus)` draws block b, and moves the focus to the drawing
// where it was asked from the keyboard; `t` are the page's words now.
export function costTable(answer, t, showBlock) {
  const table = node("table", { class: "costs" });
  const head = node("tr", {}, table);
  const sorters = ["case", "cost"].map((key) => {
    const th = node("th", { "aria-sort": "none" }, head);
    return node("button", { type: "button", "data-sort": key, tabindex: "-1" }, th,
                key === "case" ? t.caseColumn : t.costColumn);
  });
  node("th", {}, head, t.counts);
  const rows = answer.blocks.map(([caseNo, cost, counts], b) => {
    const row = node("tr", { "data-block": b, "data-case": caseNo, "data-cost": cost,
                             class: counts ? "" : "not-counted", tabindex: "-1" });
    node("td", {}, row, String(caseNo));
    node("td", { class: "cost" }, row, cost);
    node("td", counts ? {} : { title: t.notCounted }, row, counts ? "✓" : "–");
    row.addEventListener("click", () => showBlock(b, false));
    return row;
  });
  const total = node("tr", { class: "total" });
  node("td", {}, total, t.total(answer.answered, answer.cases));
  node("td", { class: "cost" }, total, answer.total);
  node("td", {}, total);
  table.append(...rows, total);
  let order = null;
  const sort = (button) => {
    const key = button.dataset.sort;
    const up = !(order && order.key === key && order.up);
    order = { key, up };
    rows.sort((a, b) => (up ? 1 : -1) * (Number(a.dataset[key]) - Number(b.dataset[key])));
    head.querySelectorAll("th").forEach((h) => h.setAttribute("aria-sort", "none"));
    button.parentNode.setAttribute("aria-sort", up ? "ascending" : "descending");
    table.append(...rows, total);
  };
  sorters.forEach((button) => button.addEventListener("click", () => sort(button)));
  const items = () => [...sorters, ...rows];
  rovingFocus(table, items, (item) => {
    if (item.tagName === "BUTTON") sort(item); else showBlock(Number(item.dataset.block), true);
  }).reset();
  const box = node("div", { class: "scroll" });
  box.append(table);
  return box;
}
