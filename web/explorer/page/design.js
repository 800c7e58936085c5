// The designs compared: A is always the window's; B is a design file opened with the
// picker, dropped on the page, or carried in the address (compressed, so that a link
// holds it). The workers check a design as the tools do, and a design that cannot be
// used is said so in the tools' words and changes nothing.
import {writeAddress} from "./address.js";
import {drawDifference} from "./difference.js";
import {startMapB} from "./map.js";
import {drawDetail, requestDetail} from "./mode.js";
import {showPins} from "./pins.js";
import {drawPlane} from "./plane.js";
import {solveTarget} from "./target.js";
import {$, Explorer} from "./state.js";
import {ask} from "./workers.js";

// Far above any design file (a few kilobytes): a larger one is refused unread.
const kMaxDesignBytes = 1 << 20;

// base64url (RFC 4648, section 5) of bytes, without padding, and back.
const base64url = (bytes) => btoa(Array.from(bytes, (b) => String.fromCharCode(b)).join(""))
  .replaceAll("+", "-").replaceAll("/", "_").replace(/=+$/, "");
const fromBase64url = (text) => Uint8Array.from(atob(text.replaceAll("-", "+").replaceAll("_", "/")), (c) => c.charCodeAt(0));

async function through(stream, bytes) {
  const piped = new Blob([bytes]).stream().pipeThrough(stream);
  return new Uint8Array(await new Response(piped).arrayBuffer());
}
// A design's text as the address carries it: deflated, in base64url.
export const packDesign = async (text) => base64url(await through(new CompressionStream("deflate-raw"), new TextEncoder().encode(text)));
// The text again; null if it is not one packDesign wrote.
export async function unpackDesign(packed) {
  if (!/^[A-Za-z0-9_-]+$/.test(packed)) return null;
  try {
    const bytes = await through(new DecompressionStream("deflate-raw"), fromBase64url(packed));
    if (bytes.length > kMaxDesignBytes) return null;
    return new TextDecoder("utf-8", {fatal: true}).decode(bytes);
  } catch {
    return null;
  }
}

function showProblems(lines) {
  $("design-problem").replaceChildren(...lines.map((line) => Object.assign(document.createElement("span"), {textContent: line})));
}

// What the page compares, and the button that takes B away.
export function showDesigns() {
  const b = Explorer.designB;
  $("design-b-name").textContent = b ? `${b.name}${b.fileName ? ` (${b.fileName})` : ""}` : "none loaded";
  $("design-remove").hidden = !b;
  $("watch-design").hidden = !b;
}

// B becomes the design of this text (or none), and everything of B is computed again.
function useDesignB(design) {
  Explorer.designB = design;
  Explorer.state.design = design?.packed ?? null;
  Explorer.detailB = null;
  Explorer.targetB = null;
  showDesigns();
  startMapB();
  drawPlane();
  drawDifference();
  if (Explorer.detail) drawDetail(Explorer.detail);
  requestDetail();
  showPins();
  if (Explorer.state.target) solveTarget(false);
}

// Checks a design's text in the workers and, if it can be used, makes it design B.
// Returns whether it did; source names the design in what is said about it.
async function loadDesign(text, source, fileName, push) {
  Explorer.stats.designStartedAt = performance.now();
  Explorer.stats.designMapMs = null;
  Explorer.drawing += 1;
  try {
    const {problems, name, lever, eccentric} = await ask("checkDesign", {design: text, fileName: source});
    if (problems.length) {
      showProblems(problems);
      return false;
    }
    showProblems([]);
    useDesignB({text, name, fileName, packed: await packDesign(text), lever, eccentric});
    writeAddress(push);
    return true;
  } finally {
    Explorer.drawing -= 1;
  }
}

// A design file a person chose or dropped.
export async function openDesignFile(file) {
  if (file.size > kMaxDesignBytes) {
    showProblems([`${file.name}: larger than 1 MB, not a design file`]);
    return false;
  }
  let text;
  try {
    text = await file.text();
  } catch {
    showProblems([`design file ${file.name}: cannot be read`]);
    return false;
  }
  return loadDesign(text, file.name, file.name, true);
}

export function removeDesign() {
  showProblems([]);
  useDesignB(null);
  writeAddress(true);
}

// The address's design (packed), once the rest of the address is read: B as it names
// it, or none. An address whose design cannot be used leaves B as it was.
export async function applyAddressDesign() {
  const packed = Explorer.state.design;
  if (packed === (Explorer.designB?.packed ?? null)) return;
  if (packed === null) {
    useDesignB(null);
    return;
  }
  Explorer.drawing += 1;
  try {
    const text = await unpackDesign(packed);
    if (text === null) {
      showProblems(["the address's design: cannot be read (it is not a design as this page writes one into an address)"]);
    } else if (await loadDesign(text, "the address's design", null, false)) {
      return;
    }
    Explorer.state.design = Explorer.designB?.packed ?? null;
    writeAddress(false);
  } finally {
    Explorer.drawing -= 1;
  }
}

export function wireDesigns() {
  const picker = $("design-file");
  picker.addEventListener("change", () => {
    if (picker.files.length) openDesignFile(picker.files[0]);
    picker.value = "";
  });
  $("design-remove").addEventListener("click", removeDesign);
  // A file dropped anywhere on the page.
  addEventListener("dragover", (event) => {
    if (!event.dataTransfer?.types.includes("Files")) return;
    event.preventDefault();
    event.dataTransfer.dropEffect = "copy";
    document.body.classList.add("dropping");
  });
  addEventListener("dragleave", (event) => { if (!event.relatedTarget) document.body.classList.remove("dropping"); });
  addEventListener("drop", (event) => {
    document.body.classList.remove("dropping");
    const file = event.dataTransfer?.files?.[0];
    if (!file) return;
    event.preventDefault();
    openDesignFile(file);
  });
  showDesigns();
}
