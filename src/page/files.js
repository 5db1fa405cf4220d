// The files chosen: how they come in (the browser's picker and handles, the
// file inputs, a drop, the paste boxes) and their list, where each can be
// removed.

import { node } from "../drawing/dom.js";
import { fileSource, labelled, looksLikeInput, pastedSource, readSource, withSource }
  from "./sources.js";

let nextId = 1;

// Adds items ({handle} or {file}) to the store's files: as the input where
// `asInput`, as submissions where false, and by their first bytes where
// undefined. A file chosen again takes the place of its entry.
export async function addFiles(store, items, asInput) {
  let { input, submissions } = store.get();
  for (const item of items) {
    const source = fileSource(nextId++, item);
    let kind = asInput;
    if (kind === undefined) {
      const read = await readSource(source);
      kind = read.bytes ? looksLikeInput(read.bytes) : false;
    }
    if (kind) input = { ...source, label: source.name };
    else submissions = await withSource(submissions, source);
  }
  store.set({ input, submissions: labelled(submissions) });
}

// The paste boxes' text as sources, in place of the ones pasted before.
export async function addPasted(store, t, inputBox, submissionBox) {
  let { input, submissions } = store.get();
  if (inputBox.value) {
    input = pastedSource(nextId++, `${t.pasted} (${t.pasteInput})`, "input",
                         () => inputBox.value);
  }
  if (submissionBox.value) {
    submissions = await withSource(submissions, pastedSource(
        nextId++, `${t.pasted} (${t.pasteSubmission})`, "submission", () => submissionBox.value));
  }
  store.set({ input: input && { label: input.name, ...input }, submissions: labelled(submissions) });
}

export function renderFiles(store, t) {
  const { input, submissions } = store.get();
  document.querySelector("#input-name").textContent = input ? input.label : t.none;
  document.querySelector("#submission-list").replaceChildren(...submissions.map((source) => {
    const item = node("li", {}, null, `${source.label} `);
    node("button", { class: "remove", title: t.remove, "aria-label": `${t.remove} ${source.label}` },
         item, "×").addEventListener("click", () => {
      const left = store.get().submissions.filter((other) => other !== source);
      const reference = store.get().reference === source.id ? -1 : store.get().reference;
      store.set({ submissions: labelled(left), reference });
    });
    return item;
  }));
}

// Files dropped on `zone`: their handles where the browser gives them, read
// from the drop at once (the list is empty after the event), or the files.
export function acceptDrops(zone, onItems) {
  zone.addEventListener("dragover", (event) => {
    event.preventDefault();
    zone.classList.add("over");
  });
  zone.addEventListener("dragleave", () => zone.classList.remove("over"));
  zone.addEventListener("drop", async (event) => {
    event.preventDefault();
    zone.classList.remove("over");
    const items = [...event.dataTransfer.items].filter((item) => item.kind === "file");
    const files = [...event.dataTransfer.files];
    const pending = items.map((item) => item.getAsFileSystemHandle && item.getAsFileSystemHandle());
    const handles = await Promise.all(pending.map((p) => p || Promise.resolve(null)));
    if (handles.length > 0 && handles.every((h) => h && h.kind === "file")) {
      onItems(handles.map((handle) => ({ handle })));
    } else {
      onItems(files.map((file) => ({ file })));
    }
  });
}
