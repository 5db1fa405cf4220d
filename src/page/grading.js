// A grading: read every file as it is now, evaluate each submission against
// the input in the worker, and compare them as the judge scores them. Each
// grading supersedes the ones before it: after every wait it checks that it
// is still the latest, and a superseded one stops there, without a trace.
//
// The result: {input, submissions, inputReading, answers: [the worker's
// answer for each submission, or null for one that cannot be read], places:
// [each one's place among those evaluated, or -1], compared, error}.

import { readSource } from "./sources.js";

// `ask` is the worker client's; `show(result)` is called with the latest
// grading's result; `progress(done, of)` while it runs; `share(input,
// submissions)` hands the helper its shares and answers the evaluation's
// fields for them (share.js).
export function createGrader(ask, show, progress = () => {}, share = () => ({})) {
  let generation = 0;
  const grader = {
    // Anything that changes the files: the grading under way is dropped.
    supersede() {
      ++generation;
    },
    async grade(input, submissions, reference) {
      const id = ++generation;
      const current = () => id === generation;
      const readings = await Promise.all([input, ...submissions].map((s) => readSource(s)));
      if (!current()) return;
      const result = { input, submissions, inputReading: readings[0],
                       answers: submissions.map(() => null), places: submissions.map(() => -1),
                       compared: null, error: null };
      try {
        if (!readings[0].error) await evaluate(result, readings, current);
        if (!current()) return;
        if (result.answers.some((a) => a && a.blocks)) {
          result.compared = await ask("compare", { reference: placeOf(result, reference) });
        }
      } catch (error) {
        result.error = String(error && error.message || error);
      }
      if (current()) show(result);
    },
    // The latest result compared against another reference; null where a
    // grading has superseded it meanwhile.
    async compare(result, reference) {
      const id = generation;
      const compared = await ask("compare", { reference: placeOf(result, reference) });
      return id === generation ? compared : null;
    },
  };

  async function evaluate(result, readings, current) {
    const readable = readings.slice(1).map((r, k) => [r, k]).filter(([r]) => r.bytes);
    // Handed over, not copied.
    const buffers = [readings[0].bytes, ...readable.map(([r]) => r.bytes)];
    const shares = share(buffers[0], buffers.slice(1));
    const answers = await ask("evaluate",
                              { input: buffers[0], submissions: buffers.slice(1), ...shares },
                              ([done, of]) => current() && progress(done, of), buffers);
    readable.forEach(([, k], place) => {
      result.answers[k] = answers[place];
      result.places[k] = place;
    });
  }
  return grader;
}

// The place among those evaluated of the accepted submission whose source
// has id `reference`, or -1 for the best of all.
export function placeOf(result, reference) {
  const k = result.submissions.findIndex((s) => s.id === reference);
  return k >= 0 && result.answers[k] && result.answers[k].blocks ? result.places[k] : -1;
}
