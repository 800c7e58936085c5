// The chosen mode: its bar values, curves and table.
import {writeAddress} from "./address.js";
import {aligned, axis, makeChart} from "./charts.js";
import {forgetHeatCursor, markHeat} from "./heat.js";
import {clamp, finite, nullIfNaN, shown} from "./numbers.js";
import {markPlane} from "./plane.js";
import {$, Explorer} from "./state.js";
import {answerer, ask, latestOnly} from "./workers.js";

export function showShafts() {
  const s = Explorer.state;
  for (const [name, value] of [["lever", s.lever], ["eccentric", s.eccentric]]) {
    if (document.activeElement !== $(`${name}-number`)) $(`${name}-number`).value = String(value);
    $(`${name}-range`).value = String(value);
  }
  $("rpm").value = String(s.rpm);
  const lever = Math.round(s.lever);
  const eccentric = Math.round(s.eccentric);
  $("watch").href = `index.html?lever=${lever}&eccentric=${eccentric}`;
  $("watch-bars").textContent = `green bar to ${lever} and the orange bar to ${eccentric}`;
}

// The demonstration page lies beside the served Explorer. The single file opened
// from disk has none beside it (and the page would need a server): it says where to
// watch the mode instead of offering a link that leads nowhere; so does a served
// Explorer whose host has no demonstration page.
export async function findDemonstration() {
  let there = location.protocol !== "file:";
  if (there) {
    try {
      there = (await fetch("index.html", {method: "HEAD", cache: "no-store"})).ok;
    } catch {
      there = false;
    }
  }
  $("watch").hidden = !there;
  $("watch-elsewhere").hidden = there;
}

export function choose(lever, eccentric, push) {
  const f = Explorer.facts;
  if (!finite(lever) || !finite(eccentric)) return;
  Explorer.state.lever = clamp(lever, f.lever.min, f.lever.max);
  Explorer.state.eccentric = clamp(eccentric, f.eccentric.min, f.eccentric.max);
  forgetHeatCursor();
  showShafts();
  requestDetail();  // first, so that the worker computes while the address is written
  writeAddress(push);
}

export const requestDetail = latestOnly(async () => {
  const s = Explorer.state;
  const started = performance.now();
  const {value: detail, workMs} = await ask("detail", {lever: s.lever, eccentric: s.eccentric, speed: Explorer.map.speed, rpm: s.rpm}, answerer, true);
  Explorer.detail = detail;
  drawDetail(detail);
  await new Promise((done) => requestAnimationFrame(done));
  Explorer.stats.detailMs.push(performance.now() - started);
  Explorer.stats.detailWorkerMs.push(workMs);
});

export function drawDetail(d) {
  $("lever-angle").textContent = `lever turned ${shown(d.leverDeg, 2)}°`;
  $("eccentric-angle").textContent = `eccentric at ${shown(d.eccentricDeg, 2)}°`;
  const whole = d.windowLever === d.lever && d.windowEccentric === d.eccentric;
  $("window-column").textContent = `window (bar values ${d.windowLever}, ${d.windowEccentric}${whole ? "" : ", the nearest whole ones"}; map speed ${Explorer.map.speed})`;
  $("mode-caption").textContent = `Lever ${shown(d.lever, 2)}, eccentric ${shown(d.eccentric, 2)} at ${shown(Explorer.state.rpm, 0)} rpm`;

  const body = $("mode-table").tBodies[0];
  const rows = d.rows.map((r) => {
    const tr = document.createElement("tr");
    const th = document.createElement("th");
    th.scope = "row";
    th.textContent = r.label;
    const unit = document.createElement("td");
    unit.textContent = r.unit;
    tr.append(th, unit);
    for (const model of ["window", "exact"]) {
      const td = document.createElement("td");
      td.className = "number";
      td.dataset.model = model;
      if (r[`${model}Column`]) td.dataset.column = r[`${model}Column`];
      if (finite(r[model])) {
        const data = document.createElement("data");
        data.value = String(r[model]);
        data.textContent = shown(r[model]);
        td.append(data);
      } else {
        td.textContent = "–";
      }
      tr.append(td);
    }
    return tr;
  });
  body.replaceChildren(...rows);

  const liftData = aligned([{x: d.crank, y: d.lift}, {x: d.windowCrank, y: d.windowLift}]);
  const liftOptions = {
    title: "Valve lift", height: 240,
    scales: {x: {time: false, auto: false, range: [0, 720]}},
    axes: [axis("crank angle (°)"), axis("lift (mm)")],
    series: [{label: "crank (°)"}, {label: "exact lift (mm)", stroke: "#1f4fb4", width: 2, spanGaps: false},
             {label: "window's lift at its frames (mm)", stroke: "#e07000", width: 0, spanGaps: false, points: {show: true, size: 5, fill: "#e07000"}}],
  };
  if (Explorer.charts.lift) Explorer.charts.lift.setData(liftData);
  else makeChart("lift", $("lift-chart"), liftOptions, liftData);

  const svajData = [Array.from(d.crank), nullIfNaN(d.velocity), nullIfNaN(d.acceleration), nullIfNaN(d.jerk)];
  const svajOptions = {
    title: "Velocity, acceleration and jerk (exact)", height: 260,
    scales: {x: {time: false, auto: false, range: [0, 720]}, v: {}, a: {}, j: {}},
    axes: [axis("crank angle (°)"), {...axis("velocity (mm/s)"), scale: "v"},
           {...axis("acceleration (m/s²)"), scale: "a", side: 1, grid: {show: false}}],
    series: [{label: "crank (°)"}, {label: "velocity (mm/s)", scale: "v", stroke: "#1f4fb4"},
             {label: "acceleration (m/s²)", scale: "a", stroke: "#d62728"},
             {label: "jerk (m/s³)", scale: "j", stroke: "#999", width: 1}],
  };
  if (Explorer.charts.svaj) Explorer.charts.svaj.setData(svajData);
  else makeChart("svaj", $("svaj-chart"), svajOptions, svajData);

  markPlane();
  markHeat();
}
