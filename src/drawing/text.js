// The words of the drawing, in Slovenian and in English.

import { english, slovenian } from "./plural.js";

const pairs = (n) => slovenian(n, ["par", "para", "pari", "parov"]);

export const drawingText = {
  sl: {
    caseTitle: (k) => `Testni primer ${k}`,
    cost: "Cena",
    counts: (n, k) => `${slovenian(n, ["krog", "kroga", "krogi", "krogov"])}, ${pairs(k)}, ` +
                      `ki se ${slovenian(k, ["prekriva", "prekrivata", "prekrivajo",
                                             "prekrivajo"]).split(" ")[1]}.`,
    legend: "Število krogov, ki pokrivajo točko:",
    lensLegend: "Ploščina prekrivanja:",
    circleWord: "krog",
    overlap: "ploščina prekrivanja",
    pairsLabel: "Pari krogov, ki se prekrivajo, največji najprej",
    search: "Krog št.:",
    found: (k) => ` (${pairs(k)})`,
    showAll: "Pokaži vse",
    exportPng: "Shrani sliko (PNG)",
    keys: "Tipke na risbi: + in − povečujeta, puščice premikajo, 0 pokaže vse. Kolesce " +
          "poveča, ko je kazalec na risbi, vlečenje premakne, dvojni klik pokaže vse. " +
          "Na seznamu parov: puščice izberejo, Enter pokaže par.",
    circle: (i, x, y, r, s) => `krog ${i}: središče (${x}, ${y}), polmer ${r}, ` +
                               `delež cene ${(100 * s).toFixed(2)} %`,
  },
  en: {
    caseTitle: (k) => `Test case ${k}`,
    cost: "Cost",
    counts: (n, k) => `${english(n, "circle", "circles")}, ${english(k, "overlapping pair",
                                                                      "overlapping pairs")}.`,
    legend: "Circles covering a point:",
    lensLegend: "Overlap area:",
    circleWord: "circle",
    overlap: "overlap area",
    pairsLabel: "Overlapping pairs of circles, the largest first",
    search: "Circle no.:",
    found: (k) => ` (${english(k, "pair", "pairs")})`,
    showAll: "Show everything",
    exportPng: "Save the picture (PNG)",
    keys: "Keys on the drawing: + and − zoom, the arrows pan, 0 shows everything. The wheel " +
          "zooms while the pointer is on the drawing, a drag pans, a double click shows " +
          "everything. In the list of pairs: the arrows choose, Enter shows the pair.",
    circle: (i, x, y, r, s) => `circle ${i}: centre (${x}, ${y}), radius ${r}, ` +
                               `share of the cost ${(100 * s).toFixed(2)} %`,
  },
};
