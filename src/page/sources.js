// The files the page grades, each a source: chosen files (through the
// browser's handles where it gives them, so that each grading reads the file
// as it is then), dropped ones, and pasted text, read from its box as it is
// at each grading. A source is {id, name, label, read, handle?, file?,
// pasted?}; `unreadable` marks one the last grading could not read. The
// page reads the bytes and hands them to the worker (WebKit's worker cannot
// read a file the page gives it).

// A source's bytes as they are now: {bytes}, or {error} where the browser
// no longer lets the page read it (Chromium, once the file changed on disk).
export async function readSource(source) {
  try {
    return { bytes: await (await source.read()).arrayBuffer() };
  } catch (error) {
    return { error: String(error && error.message || error) };
  }
}

// Each source's read() answers a Blob of its bytes as they are now.
export function fileSource(id, item) {
  if (item.handle) {
    return { id, name: item.handle.name, handle: item.handle, read: () => item.handle.getFile() };
  }
  return { id, name: item.file.name, file: item.file, read: async () => item.file };
}

// Text typed or pasted into a box, read from it at each grading: `role` is
// "input" or "submission", `text()` the box's text now.
export function pastedSource(id, name, role, text) {
  return { id, name, pasted: role, read: async () => new Blob([text()]) };
}

// Whether `chosen` is the file of an entry `old` there already: the same
// handle, or a file of the same name that is either the same (its size and
// time) or one the page can no longer read, which it then stands for.
export async function sameFile(old, chosen) {
  if (old.handle && chosen.handle) return old.handle.isSameEntry(chosen.handle);
  if (!old.file || !chosen.file || old.file.name !== chosen.file.name) return false;
  return old.unreadable || (old.file.size === chosen.file.size &&
                            old.file.lastModified === chosen.file.lastModified);
}

// The list with `source` in the place of the entry it is the same as (which
// keeps its id), or after the others.
export async function withSource(list, source, same = sameFile) {
  for (let k = 0; k < list.length; ++k) {
    if ((source.pasted && list[k].pasted === source.pasted) ||
        (!source.pasted && await same(list[k], source))) {
      const replaced = [...list];
      replaced[k] = { ...source, id: list[k].id };
      return replaced;
    }
  }
  return [...list, source];
}

// Each source's label: its name, and where names repeat, its place among
// those of that name, so that two files of one name from two folders are
// told apart.
export function labelled(list) {
  const seen = new Map();
  return list.map((source) => {
    const count = (seen.get(source.name) || 0) + 1;
    seen.set(source.name, count);
    const repeated = list.filter((s) => s.name === source.name).length > 1;
    return { ...source, label: repeated ? `${source.name} (${count})` : source.name };
  });
}

// A file is an input when it starts with the task's name, a submission when
// with a contestant's six digits.
export function looksLikeInput(bytes) {
  const head = new Uint8Array(bytes, 0, Math.min(8, bytes.byteLength));
  return String.fromCharCode(...head) === "Mirvasta";
}
