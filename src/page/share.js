// A large submission graded by two workers at once: while the page's worker
// checks every line and scores the case blocks before a share point, a
// helper worker (the same script) scores the blocks from there on, and its
// costs go to the page's worker through a channel. The page's worker takes
// a helper's cost only for a block it found on the same line with the same
// case number, and scores any other itself: the helper saves time, and can
// neither change nor hold back a result (wasm/Share.h).

import { startWorker } from "./client.js";

// Below a megabyte, copying and messages cost more than the helper saves.
export const kShareBytes = 1 << 20;
// The helper scores its blocks while the page's worker also checks the lines
// before them, a third of the work: an even split of the time puts the
// share's start at about 36 % of the bytes (measured in Chromium). Should
// the page's worker finish first, it scores the helper's last blocks while
// it waits (worker.js).
export const kShareFraction = 0.36;

// The byte of a submission of `size` bytes from which the helper's share is
// sought, or 0 for none.
export function shareFrom(size) {
  return size < kShareBytes ? 0 : Math.floor(size * kShareFraction);
}

// A helper started from the worker's `source`, connected to the page's
// worker through `ask`; null on a machine with one core, where it would
// only compete. A helper that fails leaves its shares to the page's worker.
export function startHelper(source, ask, cores = navigator.hardwareConcurrency || 1) {
  if (cores < 2) return null;
  const helper = startWorker(source, () => {});
  const channel = new MessageChannel();
  // A page's worker that fails says so itself (client.js).
  ask("helper", { port: channel.port2 }, undefined, [channel.port2]).catch(() => {});
  let grading = 0;
  return {
    // Sends the helper its share of each submission (copies: the page's
    // worker is handed the bytes themselves), before the evaluation is
    // asked for; answers the evaluation's fields {froms, share}.
    share(input, submissions) {
      const share = ++grading;
      const froms = submissions.map((bytes) => shareFrom(bytes.byteLength));
      froms.forEach((from, k) => {
        if (!from) return;
        // From the byte before, so that the helper sees whether a line starts at `from`.
        const bytes = submissions[k].slice(from - 1);
        const pass = (start, values) => channel.port1.postMessage({ share, k, start, values },
                                                                   [values.buffer]);
        helper.ask("score", { input: input.slice(0), bytes, from: 1 }, undefined, [bytes]).then(
          ({ start, values }) => pass(start < 0 ? -1 : start + from - 1, values),
          () => pass(-1, new Float64Array(0)));
      });
      return { froms, share };
    },
  };
}
