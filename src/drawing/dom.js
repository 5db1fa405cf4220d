// Making elements, for the drawing's parts and the page's.

export function node(name, attributes = {}, parent = null, text = null) {
  const made = document.createElement(name);
  for (const key in attributes) made.setAttribute(key, attributes[key]);
  if (text !== null) made.textContent = text;
  if (parent) parent.appendChild(made);
  return made;
}
