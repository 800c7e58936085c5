// The Explorer's page: asks its workers (the C++ analysis in WebAssembly) for the map,
// a mode's curves and table, and targets, and draws the answers with uPlot. The page
// computes nothing of the mechanism itself. This module wires the page's controls
// and starts it; each concern is a module of its own beside it.
import {addressApplied, readAddress, writeAddress} from "./address.js";
import {chartPng, chartSvg} from "./chart-exports.js";
import {curvesCsv, exportCurves, exportMap} from "./csv-exports.js";
import {applyAddressDesign, openDesignFile, removeDesign, wireDesigns} from "./design.js";
import {differenceClick, drawDifference} from "./difference.js";
import {drawHeat, forgetHeatCursor, heatClick, heatKey, heatName, heatQuantities, markHeat, showHeatCell} from "./heat.js";
import {showLoadModel, wireLoadModel} from "./load-model.js";
import {engineSpeedChanged, loadsDone, mapsDone, startMap} from "./map.js";
import {choose, findDemonstration, requestDetail, showShafts} from "./mode.js";
import {clamp, finite} from "./numbers.js";
import {pin, showPins} from "./pins.js";
import {planeKey} from "./plane.js";
import {$, Explorer, kLoadsAt, kStride, setLayout} from "./state.js";
import {setTarget, showRefusedTarget, solveTarget} from "./target.js";
import {ask, pending} from "./workers.js";

function wireShaft(name) {
  const f = Explorer.facts[name];
  const range = $(`${name}-range`);
  const number = $(`${name}-number`);
  for (const input of [range, number]) {
    input.min = String(f.min);
    input.max = String(f.max);
  }
  range.step = "0.1";
  number.title = f.description;
  const value = () => Explorer.state[name === "lever" ? "eccentric" : "lever"];
  range.addEventListener("input", () => {
    const v = Number(range.value);
    name === "lever" ? choose(v, value(), false) : choose(value(), v, false);
  });
  range.addEventListener("change", () => writeAddress(true));
  number.addEventListener("change", () => {
    const v = Number.parseFloat(number.value);
    if (!finite(v)) { showShafts(); return; }
    name === "lever" ? choose(v, value(), true, true) : choose(value(), v, true, true);
    number.value = String(Explorer.state[name]);
  });
}

// The map's settings from their fields, held to what the workers take.
function mapSettingsChanged() {
  const f = Explorer.facts;
  const s = Explorer.state;
  const read = (id, fallback, {min, max}) => clamp(Math.round(Number($(id).value) || fallback), min, max);
  s.speed = read("map-speed", s.speed, f.speed);
  s.grid = read("map-steps", s.grid, f.grid);
  writeAddress(true);
  Explorer.target = Explorer.targetB = null;
  startMap();
  if (s.target) solveTarget(false);
}

function applyAddress() {
  readAddress();
  applyAddressDesign();
  const s = Explorer.state;
  if (Explorer.map.run === 0 || Explorer.map.speed !== s.speed || Explorer.map.steps !== s.grid) {
    Explorer.target = Explorer.targetB = null;
    startMap();
  }
  forgetHeatCursor();
  showShafts();
  requestDetail();
  showPins();
  showLoadModel();
  engineSpeedChanged();
  const t = Explorer.state.target;
  $("target-lift").value = t ? String(t.lift) : "";
  $("target-duration").value = t ? String(t.duration) : "";
  Explorer.target = Explorer.targetB = null;
  if (t) solveTarget(false);
  else if (Explorer.refusedTarget) showRefusedTarget(`The address's ${Explorer.refusedTarget.text}`, Explorer.refusedTarget.problem);
  else $("target-answer").replaceChildren();
}

async function start() {
  Explorer.facts = await ask("facts", {});
  setLayout(Explorer.facts);
  Explorer.layout = {stride: kStride, loadsAt: kLoadsAt};
  wireLoadModel((kind) => {
    writeAddress(true);
    requestDetail();
    // The limits judge the chosen mode alone.
    if (kind === "limits") return;
    Explorer.pinDetails.clear();
    showPins();
    engineSpeedChanged();
  });
  wireShaft("lever");
  wireShaft("eccentric");
  $("rpm").addEventListener("change", () => {
    const v = Number.parseFloat($("rpm").value);
    Explorer.state.rpm = finite(v) ? clamp(v, Explorer.facts.rpm.min, Explorer.facts.rpm.max) : Explorer.state.rpm;
    Explorer.pinDetails.clear();
    writeAddress(true);
    requestDetail();
    showPins();
    engineSpeedChanged();
  });
  $("pin").addEventListener("click", pin);
  $("plane").addEventListener("keydown", planeKey);
  $("heat").addEventListener("click", heatClick);
  $("heat").addEventListener("keydown", heatKey);
  for (const type of ["focus", "blur"]) $("heat").addEventListener(type, () => { markHeat(); showHeatCell(); });
  for (const [id, range] of [["map-speed", Explorer.facts.speed], ["map-steps", Explorer.facts.grid], ["rpm", Explorer.facts.rpm]]) {
    $(id).min = String(range.min);
    $(id).max = String(range.max);
  }
  $("map-run").addEventListener("click", mapSettingsChanged);
  $("target-form").addEventListener("submit", (event) => {
    event.preventDefault();
    const lift = Number.parseFloat($("target-lift").value);
    const duration = Number.parseFloat($("target-duration").value);
    setTarget(lift, duration);
  });
  $("export-curves").addEventListener("click", exportCurves);
  $("export-map").addEventListener("click", () => exportMap());
  $("export-map-b").addEventListener("click", () => exportMap("B"));
  $("heat-quantity").replaceChildren(...heatQuantities().map((q) => Object.assign(document.createElement("option"), {value: q.column, textContent: heatName(q)})));
  $("heat-quantity").addEventListener("change", () => { drawHeat(); drawDifference(); });
  $("difference").addEventListener("click", differenceClick);
  wireDesigns();
  addEventListener("popstate", () => { addressApplied(); applyAddress(); });
  findDemonstration();
  applyAddress();
  Explorer.ready = true;
}

// True once every question asked has its answer drawn and the map is complete.
Explorer.idle = () => Explorer.ready === true && pending.size === 0 && mapsDone() && loadsDone() && !Explorer.drawing;
Explorer.exportCurves = exportCurves;
Explorer.curvesCsv = curvesCsv;
Explorer.choose = choose;
Explorer.setTarget = setTarget;
Explorer.exportMap = exportMap;
Explorer.chartSvg = chartSvg;
Explorer.chartPng = chartPng;
Explorer.openDesignFile = openDesignFile;
Explorer.removeDesign = removeDesign;
start();
