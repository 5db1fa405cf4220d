// Files' bytes as the page shows them, and the hints for files that the
// evaluator refuses because they are not what it expects.

// Windows-1252's characters for the bytes 0x80 to 0x9f; the others above
// 127 are Latin-1's.
const WINDOWS_1252 = "€\x81‚ƒ„…†‡ˆ‰Š‹Œ\x8dŽ\x8f\x90‘’“”•–—˜™š›œ\x9džŸ";

// Bytes, or a string of byte values, as text for showing: bytes above 127
// as Windows-1252 shows them, control characters as their visible symbols.
export function shown(bytes) {
  const data = typeof bytes === "string" ? bytesOf(bytes) : bytes;
  let text = "";
  for (const b of data) {
    text += b >= 0x80 && b < 0xa0 ? WINDOWS_1252[b - 0x80] :
            b < 0x20 && b !== 9 && b !== 10 ? String.fromCharCode(0x2400 + b) :
            String.fromCharCode(b);
  }
  return text;
}

// A string of byte values (as the worker answers them) as bytes.
export function bytesOf(text) {
  return Uint8Array.from(text, (c) => c.charCodeAt(0));
}

// What a refused file may be instead of what the evaluator expects: the name
// of a hint in the page's words, or "". `head` holds its first bytes, as a
// string of byte values; `asSubmission` whether it was given as one.
export function hintFor(head, asSubmission) {
  const data = bytesOf(head);
  if (data[0] === 0xef && data[1] === 0xbb && data[2] === 0xbf) return "hintBom";
  if ((data[0] === 0xff && data[1] === 0xfe) || (data[0] === 0xfe && data[1] === 0xff)) {
    return "hintUtf16";
  }
  let zeros = 0, controls = 0, returns = 0, feeds = 0;
  for (const b of data) {
    if (b === 0) ++zeros;
    else if (b === 13) ++returns;
    else if (b === 10) ++feeds;
    else if (b < 9 || (b > 13 && b < 32 && b !== 26)) ++controls;
  }
  if (zeros > data.length / 4) return "hintUtf16";
  if (zeros + controls > 0) return "hintBinary";
  if (returns > 0 && feeds === 0) return "hintCr";
  if (asSubmission && head.startsWith("Mirvasta")) return "hintInput";
  return "";
}
