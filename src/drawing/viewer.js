// The drawing as the placement viewer's page calls it: by two names on the
// page, mirvastaPlacement(root, block, text) and mirvastaText.

import { placement } from "./placement.js";
import { drawingText } from "./text.js";

globalThis.mirvastaPlacement = placement;
globalThis.mirvastaText = drawingText;
