// The workers: the C++ analysis in WebAssembly, asked questions by id.
import {clamp} from "./numbers.js";
import {$, Explorer} from "./state.js";

// One worker answers for modes and targets, so that the map never delays an
// answer; the map is shared among as many more as the machine has cores (at most 4).
// The WebAssembly is compiled once, here, for every worker: each compiling (and
// optimising) its own copy would take the processors the map needs. The single-file
// edition carries it in the page, deflated, in base64.
const inflated = (base64) => new Response(new Blob([Uint8Array.from(atob(base64), (c) => c.charCodeAt(0))]).stream()
  .pipeThrough(new DecompressionStream("deflate-raw"))).arrayBuffer();
export const compiledWasm = $("wasm-deflated")
  ? inflated($("wasm-deflated").textContent.trim()).then((bytes) => WebAssembly.compile(bytes))
  : fetch("torlin-explorer.wasm").then((response) => {
    if (!response.ok) throw new Error(`torlin-explorer.wasm: ${response.status} ${response.statusText}`);
    return response.arrayBuffer();
  }).then((bytes) => WebAssembly.compile(bytes));

// Who takes the slices of long jobs (the map, its loads), by kind.
const sliceHandlers = {};
export const onSlices = (kind, handler) => { sliceHandlers[kind] = handler; };

function makeWorker() {
  const inline = document.getElementById("worker-source");
  // The single-file edition: the worker's script comes from the page.
  const created = inline ? new Worker(URL.createObjectURL(new Blob([inline.textContent], {type: "text/javascript"})))
    : new Worker("explorer-worker.js");
  compiledWasm.then((wasmModule) => created.postMessage({kind: "start", wasmModule}),
                    (error) => console.error(`Explorer: the WebAssembly did not load: ${error}`));
  created.onmessage = ({data}) => {
    if (data.kind in sliceHandlers) return sliceHandlers[data.kind](data);
    const waiting = pending.get(data.id);
    pending.delete(data.id);
    if (!waiting) return;
    if (data.error) waiting.reject(new Error(data.error));
    else waiting.resolve(waiting.timed ? data.result : data.result.value);
  };
  created.onerror = (event) => { console.error(`Explorer worker: ${event.message}`); };
  return created;
}
let nextId = 1;
let nextRun = 1;
// Numbers the map's and its loads' runs; the workers tag their slices with them.
export const newRun = () => nextRun++;
export const pending = new Map();
export const answerer = makeWorker();
export const mappers = Array.from({length: clamp(navigator.hardwareConcurrency || 2, 1, 4)}, makeWorker);
// The answer's value; with timed, {value, workMs}: also how long the worker took.
export function ask(kind, args, worker = answerer, timed = false) {
  const id = nextId++;
  return new Promise((resolve, reject) => {
    pending.set(id, {resolve, reject, timed});
    worker.postMessage({id, kind, args});
  });
}

// Asks at most one question of a kind at a time; a newer one waiting replaces an
// older one waiting, so dragging a slider never queues up stale work.
export function latestOnly(run) {
  let busy = false;
  let queued = null;
  return async function go(...args) {
    if (busy) { queued = args; return; }
    busy = true;
    Explorer.drawing += 1;
    try { await run(...args); } catch (error) { console.error(String(error)); }
    busy = false;
    Explorer.drawing -= 1;
    if (queued) { const next = queued; queued = null; go(...next); }
  };
}
