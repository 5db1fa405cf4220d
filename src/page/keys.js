// A table as one stop of the Tab key, with the arrow keys inside it (a
// roving tabindex): of its items, the one last reached holds the stop; Up
// and Down, Home and End move among them; Enter or Space acts on one.

// `items()` gives the items in their order now; `act(item)` acts on one.
export function rovingFocus(container, items, act) {
  const current = () => items().find((item) => item.tabIndex === 0) || items()[0];
  const focusOn = (item) => {
    for (const other of items()) other.tabIndex = other === item ? 0 : -1;
    item.focus();
  };
  container.addEventListener("keydown", (event) => {
    const all = items();
    const at = all.indexOf(document.activeElement);
    if (at < 0) return;
    const moves = { ArrowDown: at + 1, ArrowUp: at - 1, Home: 0, End: all.length - 1 };
    if (moves[event.key] !== undefined) {
      focusOn(all[Math.max(0, Math.min(all.length - 1, moves[event.key]))]);
    } else if (event.key === "Enter" || event.key === " ") {
      act(all[at]);
    } else {
      return;
    }
    event.preventDefault();
  });
  container.addEventListener("focusin", (event) => {
    if (items().includes(event.target)) focusOn(event.target);
  });
  return {
    // Gives the stop to the first item, or keeps it where it is.
    reset: () => {
      const stop = current();
      for (const item of items()) item.tabIndex = item === stop ? 0 : -1;
    },
  };
}
