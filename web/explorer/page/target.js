// A target lift and duration, and the modes that reach it: of design A, and of B
// beside them while a design is loaded.
import {writeAddress} from "./address.js";
import {choose} from "./mode.js";
import {finite, shown} from "./numbers.js";
import {markPlane} from "./plane.js";
import {$, Explorer, kDuration, kLift, kStride} from "./state.js";
import {ask, latestOnly} from "./workers.js";

// Why a lift and duration are no target, or null if they are one.
export function targetProblem(lift, duration) {
  const {maxLift, maxDuration} = Explorer.facts.target;
  if (!finite(lift) || !finite(duration)) return "give the lift and the duration as numbers";
  if (lift < 0 || lift > maxLift) return `the lift must lie from 0 to ${maxLift} mm`;
  if (duration < 0 || duration > maxDuration) return `the duration above 1 mm must lie from 0 to ${maxDuration} crank degrees`;
  if (lift <= 1 && duration > 0) return "a lift of 1 mm or less is above 1 mm for no crank degree: give a lift above 1 mm, or a duration of 0";
  return null;
}

// Says why a target was not taken, in place of any earlier answer.
export function showRefusedTarget(text, problem) {
  Explorer.target = null;
  const line = document.createElement("p");
  line.className = "unreachable";
  line.textContent = `${text} is not taken as a target: ${problem}.`;
  $("target-answer").replaceChildren(line);
  markPlane();
}

export function setTarget(lift, duration) {
  const problem = targetProblem(lift, duration);
  if (problem) {
    Explorer.state.target = null;
    writeAddress(true);
    showRefusedTarget(`${shown(lift)} mm over ${shown(duration, 2)}°`, problem);
    return;
  }
  Explorer.state.target = {lift, duration};
  $("target-lift").value = String(lift);
  $("target-duration").value = String(duration);
  writeAddress(true);
  solveTarget(true);
}

// A complete map's modes as the target search's starting points, on the map's design.
function seedsOf(map) {
  const {rows, total, leverSteps, eccentricSteps} = map;
  const lifts = new Float64Array(total);
  const durations = new Float64Array(total);
  for (let i = 0; i < total; ++i) { lifts[i] = rows[i * kStride + kLift]; durations[i] = rows[i * kStride + kDuration]; }
  const levers = Array.from({length: leverSteps}, (_, l) => rows[l * eccentricSteps * kStride]);
  const eccentrics = Array.from({length: eccentricSteps}, (_, e) => rows[e * kStride + 1]);
  return {design: map.design, levers, eccentrics, lifts, durations};
}

export const solveTarget = latestOnly(async (chooseFirst) => {
  const t = Explorer.state.target;
  if (!t || Explorer.map.done < Explorer.map.total) {
    $("target-answer").textContent = t ? "The target is solved once the map is ready." : "";
    return;
  }
  const started = performance.now();
  $("target-answer").textContent = "Solving…";
  const mapB = Explorer.mapB;
  const [answer, answerB] = await Promise.all([
    ask("target", {lift: t.lift, duration: t.duration, ...seedsOf(Explorer.map)}),
    mapB && mapB.done >= mapB.total ? ask("target", {lift: t.lift, duration: t.duration, ...seedsOf(mapB)}) : null]);
  Explorer.target = answer;
  Explorer.targetB = mapB === Explorer.mapB ? answerB : null;
  Explorer.stats.targetMs.push(performance.now() - started);
  showTarget(answer, t, Explorer.targetB);
  markPlane();
  if (chooseFirst && answer.modes.length) choose(answer.modes[0].lever, answer.modes[0].eccentric, false);
});

// A's answer; with a design B loaded, B's beside it (or that it comes with B's map).
export function showTarget(answer, t, answerB = null) {
  const box = $("target-answer");
  box.classList.toggle("two-designs", Boolean(Explorer.designB));
  if (!Explorer.designB) {
    box.replaceChildren(...answerParts(answer, t));
    return;
  }
  const column = (whose, name, parts) => {
    const part = document.createElement("div");
    part.dataset.design = whose;
    part.append(Object.assign(document.createElement("h3"), {textContent: `Design ${whose} (${name})`}), ...parts);
    return part;
  };
  const partsB = answerB ? answerParts(answerB, t)
    : [Object.assign(document.createElement("p"), {textContent: "Solved once design B's map is ready."})];
  box.replaceChildren(column("A", Explorer.designA.name, answerParts(answer, t)), column("B", Explorer.designB.name, partsB));
}

function answerParts(answer, t) {
  const head = document.createElement("p");
  head.className = answer.reachable ? "reached" : "unreachable";
  head.textContent = answer.reachable
    ? `${shown(t.lift)} mm over ${shown(t.duration, 2)}° is reached by ${answer.modes.length === 1 ? "one mode" : `${answer.modes.length} modes`}:`
    : `${shown(t.lift)} mm over ${shown(t.duration, 2)}° is out of reach. The nearest reachable point:`;
  const list = document.createElement("ul");
  for (const m of answer.modes) {
    const item = document.createElement("li");
    const button = document.createElement("button");
    button.type = "button";
    button.textContent = `lever ${shown(m.lever, 3)}, eccentric ${shown(m.eccentric, 3)}`;
    button.addEventListener("click", () => choose(m.lever, m.eccentric, true));
    item.append(button, ` gives ${shown(m.lift)} mm over ${shown(m.duration, 2)}°`);
    item.dataset.lever = m.lever;
    item.dataset.eccentric = m.eccentric;
    item.dataset.lift = m.lift;
    item.dataset.duration = m.duration;
    list.append(item);
  }
  return [head, list];
}
