// Numbers as the page shows them.
export const finite = (v) => typeof v === "number" && Number.isFinite(v);
export function shown(value, digits = 3) {
  if (!finite(value)) return "–";
  const magnitude = Math.abs(value);
  if (magnitude !== 0 && (magnitude >= 1e6 || magnitude < 1e-3)) return value.toExponential(digits);
  return value.toFixed(magnitude >= 1000 ? 0 : digits);
}
export const clamp = (v, lo, hi) => Math.min(hi, Math.max(lo, v));
export const nullIfNaN = (array) => Array.from(array, (v) => (finite(v) ? v : null));
