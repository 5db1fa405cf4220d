// The page's state, in one place: set() changes some of its keys, and each
// listener hears of a change to the keys it named, and only then.

export function createStore(initial) {
  let state = { ...initial };
  const listeners = [];
  return {
    get: () => state,
    set(patch) {
      const changed = Object.keys(patch).filter((key) => state[key] !== patch[key]);
      if (changed.length === 0) return;
      state = { ...state, ...patch };
      for (const { keys, listener } of listeners) {
        if (keys.some((key) => changed.includes(key))) listener(state);
      }
    },
    on(keys, listener) {
      listeners.push({ keys, listener });
    },
  };
}
