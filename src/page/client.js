// The page's side of the worker (worker.js): requests and their answers.

// A worker made from `source` (its script's text): ask(kind, fields,
// onProgress, transfer) answers a promise of the worker's answer. Where the
// worker cannot start or fails, every request under way fails with the
// reason, and so does each one after, and onFailure is told.
export function startWorker(source, onFailure) {
  const pending = new Map();
  let worker = null, failure = null, next = 1;
  const fail = (reason) => {
    failure = reason;
    for (const request of pending.values()) request.reject(new Error(reason));
    pending.clear();
    worker = null;
    onFailure(reason);
  };
  try {
    worker = new Worker(URL.createObjectURL(new Blob([source], { type: "text/javascript" })));
  } catch (error) {
    queueMicrotask(() => fail(String(error && error.message || error)));
  }
  if (worker) {
    worker.onmessage = (event) => {
      const { id, progress, answer, error } = event.data;
      const request = pending.get(id);
      if (!request) return;
      if (progress) {
        request.onProgress(progress);
        return;
      }
      pending.delete(id);
      if (error !== undefined) request.reject(new Error(error)); else request.resolve(answer);
    };
    worker.onerror = (event) => {
      event.preventDefault();
      fail(event.message || "error");
    };
  }
  return {
    ask(kind, fields = {}, onProgress = () => {}, transfer = []) {
      if (!worker) return Promise.reject(new Error(failure || "no worker"));
      const id = next++;
      return new Promise((resolve, reject) => {
        pending.set(id, { resolve, reject, onProgress });
        worker.postMessage({ id, kind, ...fields }, transfer);
      });
    },
  };
}
