// Nouns after a number, in the page's two languages.

// Slovenian has four forms: one, two (the dual), three and four, the rest;
// by the number's last two digits.
export function slovenian(n, forms) {
  const m = n % 100;
  return `${n} ${forms[m === 1 ? 0 : m === 2 ? 1 : m === 3 || m === 4 ? 2 : 3]}`;
}

export function english(n, one, many) {
  return `${n} ${n === 1 ? one : many}`;
}
