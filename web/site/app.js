
// The page's script. The build appends app.js, chart.js, sweep.js, kept.js
// and start.js, in this order, to emscripten's loader, in the same ES
// module, so createVantorel is the loader's factory and the five parts
// share one scope. The module does every look-up, text, conversion and
// sweep; the script only wires the controls, puts the texts in place,
// keeps the state in the address and draws the chart with uPlot.

// In the sweep's worker (see below), what the page asks while the module
// is still on its way waits here.
const askedEarly = [];
if (!globalThis.document) globalThis.onmessage = ({ data }) => askedEarly.push(data);

let vantorel;
try {
  vantorel = await createVantorel();
} catch (error) {
  // A browser that cannot run it is told so where errors show.
  globalThis.document?.getElementById('temperature-error')?.append(`The calculator could not start: ${error}`);
  throw error;
}

// The same module is the sweep's worker (sweep.js), which has no page: it
// serves sweeps, and its evaluation stops here for good, so none of the
// page's part below runs there.
if (!globalThis.document) {
  serveSweeps(vantorel, askedEarly);
  await new Promise(() => {});
}

// The page starts in steps, each a task of its own, so that a slow phone
// answers a tap in between: the module's own start above, then the lists
// and the first results, then the rest (start.js).
const nextTask = () => new Promise((resolve) => setTimeout(resolve));
const afterNextFrame = () => new Promise((resolve) => requestAnimationFrame(() => setTimeout(resolve)));
await nextTask();

const catalog = JSON.parse(vantorel.catalog());

const $ = (id) => document.getElementById(id);
const form = {
  category: $('category'), fluid: $('fluid'), range: $('fluid-range'), fluidError: $('fluid-error'),
  closest: $('fluid-closest'), temperature: $('temperature'), unit: $('unit'), error: $('temperature-error'),
  label: $('temperature-label'), given: $('given'), pressureRange: $('pressure-range'), units: $('units'),
};
const results = {
  box: $('results'), title: $('results-title'), properties: $('properties'),
  source: $('source'), working: $('working-lines'), details: $('working'), announce: $('announce'),
};
const actions = { keep: $('keep'), copyLink: $('copy-link'), status: $('actions-status') };

// Each fluid with its category, by id.
const fluids = new Map();
catalog.forEach((category, c) => category.fluids.forEach((fluid) => fluids.set(fluid.id, { ...fluid, category: c })));

let fluid = null;     // the chosen fluid from the catalog
let reading = null;   // the last calculation that gave properties, kept (stale) while a text is on its way
let fresh = false;    // whether the text in the field is that reading's
let valueCells = {};  // property id -> the elements its texts go in

// What the field holds: a temperature, or for saturated water, when chosen,
// a pressure ("2 bar"). Each keeps its own text as the choice switches.
let given = 'T';
let fieldHolds = 'T';
const givenTexts = { T: '', P: '' };

function byPressure() {
  return given === 'P' && Boolean(fluid.pressure);
}

// The units the values are shown in: "book", "si", "engineering" or "us".
function units() {
  return form.units.value;
}

function option(value, text) {
  const o = document.createElement('option');
  o.value = value;
  o.textContent = text;
  return o;
}

function cell(tag, ...children) {
  const element = document.createElement(tag);
  element.append(...children);
  return element;
}

// A text with its symbols' subscripts as <sub>: "c_p,f·10³ = 4.217" is c
// with p,f below, then the rest. A subscript runs to a blank, a "·", ":"
// or "=".
function withSubscripts(text) {
  const nodes = [];
  let at = 0;
  for (const match of text.matchAll(/_([^\s·:=()]+)/g)) {
    nodes.push(text.slice(at, match.index), cell('sub', match[1]));
    at = match.index + match[0].length;
  }
  nodes.push(text.slice(at));
  return nodes.filter((node) => node !== '');
}

function symbol(text) {
  const span = cell('span', ...withSubscripts(text));
  span.className = 'symbol';
  return span;
}

// "dynamic viscosity" as a list shows it: "Dynamic viscosity".
function capitalised(text) {
  return text.charAt(0).toUpperCase() + text.slice(1);
}

function say(element, text) {
  element.textContent = text;
}

// The browser's clipboard, or the older way where it is refused.
async function copyText(text) {
  try {
    await navigator.clipboard.writeText(text);
    return true;
  } catch {
    const area = document.createElement('textarea');
    area.value = text;
    document.body.append(area);
    area.select();
    const copied = document.execCommand('copy');
    area.remove();
    return copied;
  }
}

// Saves `parts` (texts or UTF-8 bytes) as the file `name`.
function download(name, parts) {
  const url = URL.createObjectURL(new Blob(parts, { type: 'text/csv' }));
  const link = document.createElement('a');
  link.href = url;
  link.download = name;
  document.body.append(link);
  link.click();
  link.remove();
  setTimeout(() => URL.revokeObjectURL(url), 1000);
}

// ---------------------------------------------------------------------------
// Choosing.

// The page's HTML holds the lists as they start (the categories, the gases,
// Air's range), so that they are drawn before this script runs; they are
// written again here from the catalog, which has the last word.
form.category.replaceChildren(...catalog.map((category, c) => option(c, `${category.name} (Table ${category.table})`)));

function fillFluids(c) {
  form.fluid.replaceChildren(...catalog[c].fluids.map((f) => option(f.id, f.name)));
}

function chooseFluid(id) {
  const before = fluid;
  fluid = fluids.get(id);
  form.category.value = String(fluid.category);
  if (form.fluid.value !== id) {
    fillFluids(fluid.category);
    form.fluid.value = id;
  }
  form.range.textContent = `Table ${catalog[fluid.category].table}, ${fluid.range}`;
  showFluidError(null);
  showGiven();

  // One row per property the category shows; the texts come with each calculation.
  valueCells = {};
  results.properties.replaceChildren(...fluid.properties.map((p) => {
    const text = cell('span');
    text.dataset.property = p.id;
    const value = cell('td', text);
    const unit = cell('span');
    value.append(unit);
    const si = cell('td');
    si.className = 'si';
    valueCells[p.id] = { text, unit, si };
    const name = cell('th', p.name, ' ', symbol(p.symbol));
    name.scope = 'row';
    return cell('tr', name, value, si);
  }));
  reading = null;
  fresh = false;

  // The names alone: a list's text cannot hold a subscript.
  const plotted = plot.property.value;
  plot.property.replaceChildren(...fluid.properties.map((p) => option(p.id, capitalised(p.name))));
  if (fluid.properties.some((p) => p.id === plotted)) plot.property.value = plotted;

  sweepFollowsFluid(before);
}

// An unknown fluid named by a link: the core's message, and the closest
// fluids as links that keep the rest of the address.
function showFluidError(refusal) {
  say(form.fluidError, refusal?.error ?? '');
  form.fluid.setAttribute('aria-invalid', refusal ? 'true' : 'false');
  form.closest.hidden = !refusal?.closest.length;
  if (!refusal?.closest.length) return form.closest.replaceChildren();
  const links = refusal.closest.map((id) => {
    const params = new URLSearchParams(location.search);
    params.set('fluid', id);
    const link = cell('a', fluids.get(id).name);
    link.href = `?${params}`;
    return link;
  });
  form.closest.replaceChildren('Open ', ...links.flatMap((link, i) => (i ? [' or ', link] : [link])), '?');
}

// ---------------------------------------------------------------------------
// Calculating, as the user types.
//
// A temperature in range shows its results at once. A text only on its way
// to one ("3" of "310", "36.85 °" of "36.85 °C") says nothing and leaves the
// last results in place, dimmed; the error comes when the text cannot
// become a temperature, on Enter, or when the field is left.

let firstResults = true;
let announcing = 0;

function calculate({ insist = false } = {}) {
  const text = form.temperature.value.trim();
  const calculation = JSON.parse(byPressure() ? vantorel.atPressure(fluid.id, text, units())
    : vantorel.calculate(fluid.id, text, form.unit.value, units()));
  const waiting = !calculation.properties && calculation.pending && !insist;
  const error = calculation.properties || waiting ? '' : calculation.error;
  say(form.error, error);
  form.temperature.setAttribute('aria-invalid', error ? 'true' : 'false');
  fresh = Boolean(calculation.properties);
  if (fresh) reading = calculation;
  else if (!waiting) reading = null;
  results.box.classList.toggle('stale', waiting && Boolean(reading));
  results.box.setAttribute('aria-busy', String(waiting && Boolean(reading)));
  results.box.hidden = !reading;
  actions.keep.disabled = !fresh;
  if (fresh) {
    showReading();
    announceSoon(results.title.textContent);
  } else if (!reading) {
    clearTimeout(announcing);
    for (const { text: t, si } of Object.values(valueCells)) t.textContent = si.textContent = '';
  }
  if (firstResults && fresh) {
    firstResults = false;
    // The frame that first shows results: the page's start-up time, taken
    // before the chart, which follows in the next frame.
    requestAnimationFrame(() => performance.mark('vantorel-results-shown'));
  }
  scheduleChart();
}

function showReading() {
  say(results.title, reading.title);
  for (const p of reading.properties) {
    const cells = valueCells[p.id];
    cells.text.textContent = p.text;
    cells.unit.textContent = p.unit ? ` ${p.unit}` : '';
    cells.unit.hidden = p.state !== 'value';  // no unit beside ---- or INFINITE
    cells.si.textContent = p.si;
  }
  say(results.source, `From ${reading.source}.`);
  // From a pressure, the working starts by finding T_sat; from degrees, by
  // converting them.
  const lines = [...(reading.saturation ? reading.saturation.split('\n') : []),
    ...(reading.conversion ? [reading.conversion] : []), ...reading.properties.map((p) => p.working)];
  results.working.replaceChildren(...lines.map((line) => cell('li', ...withSubscripts(line))));
}

// The live region speaks once typing has paused, not at every key.
function announceSoon(text) {
  clearTimeout(announcing);
  announcing = setTimeout(() => say(results.announce, text), 500);
}

// ---------------------------------------------------------------------------
// The unit box: switching it keeps the temperature shown and writes the
// text again in the new unit, exactly in decimal (310 K, 36.85 °C,
// 98.33 °F). Texts met on the way are kept, so going back gives the very
// text typed. A text that is no temperature in range yet is read in the
// new unit instead: the user is saying what they meant.

let unitBefore = 'K';
let unitTexts = null;  // {kelvin, K, C, F}: the texts of one temperature

function changeUnit() {
  const [from, to] = [unitBefore, form.unit.value];
  unitBefore = to;
  const text = form.temperature.value.trim();
  if (fresh && text && !byPressure()) {
    if (unitTexts?.kelvin !== reading.T) unitTexts = { kelvin: reading.T };
    unitTexts[from] = text;
    const rewritten = unitTexts[to] ?? vantorel.convert(text, from, to);
    if (rewritten !== null) form.temperature.value = unitTexts[to] = rewritten;
  }
  // A bare number in the sweep's fields takes the unit it was typed in, so
  // that the sweep stays the same.
  for (const field of [sweep.from, sweep.to, sweep.step]) {
    if (field.value.trim()) field.value = vantorel.withUnit(field.value.trim(), from);
  }
  if (sweep.last) sweep.last.typed = sweepTexts();
  showSweepUnit();
  calculate();
}

// ---------------------------------------------------------------------------
// A pressure in place of the temperature, for the fluid that has one: the
// choice shows with it, the field takes its own text for each, and the unit
// box gives way, since a pressure names its unit ("2 bar", "1 atm").

function showGiven() {
  form.given.hidden = !fluid.pressure;
  form.given.querySelector(`input[value="${given}"]`).checked = true;
  const pressure = byPressure();
  const holds = pressure ? 'P' : 'T';
  if (holds !== fieldHolds) {
    givenTexts[fieldHolds] = form.temperature.value;
    form.temperature.value = givenTexts[holds];
    fieldHolds = holds;
    unitTexts = null;
  }
  form.label.textContent = pressure ? 'Pressure' : 'Temperature';
  form.unit.hidden = pressure;
  form.pressureRange.hidden = !pressure;
  form.pressureRange.textContent = pressure
    ? `P from ${fluid.pressure}, with its unit: 2 bar, 101.325 kPa, 1 atm, 14.7 psi` : '';
  form.temperature.inputMode = pressure ? 'text' : 'decimal';
  form.temperature.setAttribute('aria-describedby', `temperature-error ${pressure ? 'pressure-range' : 'fluid-range'}`);
}

function changeGiven() {
  given = form.given.querySelector('input:checked').value;
  showGiven();
  calculate();
}

// Another choice of units: the results, the kept results, the chart and a
// sweep on show, in the new units.
function changeUnits() {
  calculate();
  showKept();
  if (sweep.last) tabulate();
}

// ---------------------------------------------------------------------------
// The state in the address: fluid, T, unit, plot, and the sweep once
// tabulated. The address a page opens with stays as it is until the user
// changes something, so a link that says something wrong keeps saying it.

// Writing the address can take the browser tens of milliseconds: once the
// user pauses, not at every key.
let saving = 0;
function saveState() {
  clearTimeout(saving);
  saving = setTimeout(writeAddress, 300);
}

function writeAddress() {
  clearTimeout(saving);
  saving = 0;
  const params = new URLSearchParams();
  params.set('fluid', fluid.id);
  if (form.temperature.value.trim()) params.set(byPressure() ? 'P' : 'T', form.temperature.value.trim());
  if (form.unit.value !== 'K') params.set('unit', form.unit.value);
  if (units() !== 'book') params.set('units', units());
  if (plot.property.value) params.set('plot', plot.property.value);
  if (sweep.last) {
    params.set('from', sweep.last.typed.from);
    params.set('to', sweep.last.typed.to);
    params.set('step', sweep.last.typed.step);
  }
  history.replaceState(null, '', `?${params}`);
}

function loadState() {
  const params = new URLSearchParams(location.search);
  const asked = params.get('fluid');
  const id = asked === null ? catalog[0].fluids[0].id : vantorel.fluidId(asked);
  const choice = params.get('units')?.toLowerCase();
  if ([...form.units.options].some((o) => o.value === choice)) form.units.value = choice;
  // A pressure in the address, without a temperature: the field holds it.
  if (params.has('P') && !params.has('T')) given = 'P';
  givenTexts.P = params.get('P') ?? '';
  chooseFluid(id ?? catalog[0].fluids[0].id);
  const unit = params.get('unit');
  if (['K', 'C', 'F'].includes(unit)) form.unit.value = unitBefore = unit;
  showSweepUnit();
  if (!byPressure()) form.temperature.value = params.get('T') ?? '';
  if (fluid.properties.some((p) => p.id === params.get('plot'))) plot.property.value = params.get('plot');
  if (id === null) {
    // A link to a fluid no table has: say so and what it may have meant,
    // and show nothing of another fluid.
    showFluidError(JSON.parse(vantorel.calculate(asked, '', 'K')));
    scheduleChart();
    return;
  }
  // A link is done typing: its temperature's error shows at once.
  calculate({ insist: true });
  if (given === 'P' && !fluid.pressure) {
    // A pressure for a fluid that has none: the core says so.
    say(form.error, JSON.parse(vantorel.atPressure(fluid.id, givenTexts.P, units())).error);
    form.temperature.setAttribute('aria-invalid', 'true');
  }
  if (params.has('from') && params.has('to') && params.has('step')) {
    sweep.from.value = params.get('from');
    sweep.to.value = params.get('to');
    sweep.step.value = params.get('step');
    tabulate({ fromLink: true });
  }
}

async function copyLink() {
  writeAddress();
  say(actions.status, (await copyText(location.href)) ? 'Link copied.' : 'The browser refused to copy the link.');
}
