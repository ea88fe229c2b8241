
// The page's script. The build appends it to emscripten's loader, in the
// same ES module, so createVantorel is the loader's factory. The module does
// every look-up, text, conversion and sweep; this script only wires the
// controls, puts the texts in place, keeps the state in the URL and draws
// the chart with uPlot.

let vantorel;
try {
  vantorel = await createVantorel();
} catch (error) {
  // A browser that cannot run it is told so where errors show.
  document.getElementById('temperature-error').textContent = `The calculator could not start: ${error}`;
  throw error;
}
const catalog = JSON.parse(vantorel.catalog());

const $ = (id) => document.getElementById(id);
const form = {
  category: $('category'), fluid: $('fluid'), range: $('fluid-range'),
  temperature: $('temperature'), unit: $('unit'), error: $('temperature-error'),
};
const results = {
  box: $('results'), title: $('results-title'), properties: $('properties'),
  source: $('source'), working: $('working-lines'),
};
const plot = { property: $('plot-property'), chart: $('chart') };
const sweep = {
  form: $('sweep-form'), from: $('sweep-from'), to: $('sweep-to'), step: $('sweep-step'),
  error: $('sweep-error'), output: $('sweep-output'), table: $('sweep-table'),
  caption: $('sweep-caption'), status: $('sweep-status'),
  copy: $('copy'), download: $('download'), last: null,
};

// Each fluid with its category, by id.
const fluids = new Map();
catalog.forEach((category, c) => category.fluids.forEach((fluid) => fluids.set(fluid.id, { ...fluid, category: c })));

let fluid = null;     // the chosen fluid from the catalog
let reading = null;   // the last calculation that gave properties
let valueCells = {};  // property id -> the elements its texts go in

function option(value, text) {
  const o = document.createElement('option');
  o.value = value;
  o.textContent = text;
  return o;
}

// "c_p,f" as c with a subscript p,f.
function symbol(text) {
  const span = document.createElement('span');
  span.className = 'symbol';
  const cut = text.indexOf('_');
  span.append(cut < 0 ? text : text.slice(0, cut));
  if (cut >= 0) {
    const sub = document.createElement('sub');
    sub.textContent = text.slice(cut + 1);
    span.append(sub);
  }
  return span;
}

function cell(tag, ...children) {
  const element = document.createElement(tag);
  element.append(...children);
  return element;
}

// ---------------------------------------------------------------------------
// Choosing.

catalog.forEach((category, c) => form.category.append(option(c, `${category.name} (Table ${category.table})`)));

function fillFluids(c) {
  form.fluid.replaceChildren(...catalog[c].fluids.map((f) => option(f.id, f.name)));
}

function chooseFluid(id) {
  fluid = fluids.get(id);
  form.category.value = String(fluid.category);
  if (form.fluid.value !== id) {
    fillFluids(fluid.category);
    form.fluid.value = id;
  }
  form.range.textContent = `Table ${catalog[fluid.category].table}, ${fluid.range}`;

  // One row per property the category shows; the texts come with each calculation.
  valueCells = {};
  results.properties.replaceChildren(...fluid.properties.map((p) => {
    const text = cell('span');
    text.dataset.property = p.id;
    const value = cell('td', text);
    const unit = cell('span', p.unit ? ` ${p.unit}` : '');
    value.append(unit);
    const si = cell('td');
    si.className = 'si';
    valueCells[p.id] = { text, unit, si };
    const name = cell('th', p.name, ' ', symbol(p.symbol));
    name.scope = 'row';
    return cell('tr', name, value, si);
  }));

  const plotted = plot.property.value;
  plot.property.replaceChildren(...fluid.properties.map((p) => option(p.id, `${p.name} (${p.symbol})`)));
  if (fluid.properties.some((p) => p.id === plotted)) plot.property.value = plotted;

  sweep.from.value = String(fluid.Tmin);
  sweep.to.value = String(fluid.Tmax);
  sweep.step.value = String(niceStep(fluid.Tmax - fluid.Tmin));
  sweep.output.hidden = true;
  sweep.error.textContent = '';
  sweep.last = null;
}

// A round step that gives a sweep of the whole range some 20 to 60 rows.
function niceStep(span) {
  for (const step of [1, 2, 5, 10, 20, 25, 50, 100, 200, 500]) if (span / step <= 60) return step;
  return 1000;
}

// ---------------------------------------------------------------------------
// Calculating, as the user types.

let firstResults = true;

function calculate() {
  const calculation = JSON.parse(vantorel.calculate(fluid.id, form.temperature.value, form.unit.value));
  form.error.textContent = calculation.error ?? '';
  form.temperature.setAttribute('aria-invalid', calculation.error ? 'true' : 'false');
  reading = calculation.properties ? calculation : null;
  results.box.hidden = !reading;
  if (reading) {
    const typed = form.unit.value === 'K' ? '' : ` (${form.temperature.value.trim()} ${form.unit.selectedOptions[0].text})`;
    results.title.textContent = `${fluid.name} at ${reading.Ttext} K${typed}`;
    for (const p of reading.properties) {
      const cells = valueCells[p.id];
      cells.text.textContent = p.text;
      cells.unit.hidden = p.state !== 'value';  // no unit beside ---- or INFINITE
      cells.si.textContent = p.si;
    }
    results.source.textContent = `From ${reading.source}.`;
    results.working.replaceChildren(...reading.properties.map((p) => cell('li', p.working)));
  } else {
    for (const { text, si } of Object.values(valueCells)) text.textContent = si.textContent = '';
  }
  saveState();
  if (firstResults && reading) {
    firstResults = false;
    // The frame that first shows results: the page's start-up time, taken
    // before the chart, which follows in the next frame.
    requestAnimationFrame(() => performance.mark('vantorel-results-shown'));
  }
  scheduleChart();
}

// ---------------------------------------------------------------------------
// The state in the URL: fluid, T, unit, plot, and the sweep once tabulated.

function saveState() {
  const params = new URLSearchParams();
  params.set('fluid', fluid.id);
  if (form.temperature.value.trim()) params.set('T', form.temperature.value.trim());
  if (form.unit.value !== 'K') params.set('unit', form.unit.value);
  if (plot.property.value) params.set('plot', plot.property.value);
  if (sweep.last) {
    params.set('from', sweep.last.from);
    params.set('to', sweep.last.to);
    params.set('step', sweep.last.step);
  }
  history.replaceState(null, '', `?${params}`);
}

function loadState() {
  const params = new URLSearchParams(location.search);
  const asked = params.get('fluid');
  const id = asked === null ? catalog[0].fluids[0].id : vantorel.fluidId(asked);
  chooseFluid(id ?? catalog[0].fluids[0].id);
  const unit = params.get('unit');
  if (['K', 'C', 'F'].includes(unit)) form.unit.value = unit;
  if (id !== null) form.temperature.value = params.get('T') ?? '';
  if (fluid.properties.some((p) => p.id === params.get('plot'))) plot.property.value = params.get('plot');
  calculate();
  if (id === null) {
    // A link to a fluid no table has: say so, over the first fluid's empty form.
    form.error.textContent = JSON.parse(vantorel.calculate(asked, '', 'K')).error;
    return;
  }
  if (params.has('from') && params.has('to') && params.has('step')) {
    sweep.from.value = params.get('from');
    sweep.to.value = params.get('to');
    sweep.step.value = params.get('step');
    tabulate();
  }
}

// ---------------------------------------------------------------------------
// The chart: the look-up over the whole range, the book's rows as dots, the
// current temperature marked.

let chart = null;
let chartKey = '';

// Typing redraws the chart at most once a frame, after the results. The
// first chart waits until the first results are on the screen (the results
// heading's element timing says when), so that drawing it never holds them
// up.
let chartPending = false;
function scheduleChart() {
  if (chartPending) return;
  chartPending = true;
  const draw = () => setTimeout(() => {
    chartPending = false;
    drawChart();
  });
  if (chart) requestAnimationFrame(draw);
  else resultsPainted().then(draw);
}

function resultsPainted() {
  return new Promise((resolve) => {
    if (!reading || !PerformanceObserver.supportedEntryTypes?.includes('element')) return resolve();
    new PerformanceObserver((list, observer) => {
      observer.disconnect();
      resolve();
    }).observe({ type: 'element', buffered: true });
    setTimeout(resolve, 1000);  // should the paint go unreported
  });
}

function series(values) {
  return Array.from(values, (v) => (Number.isNaN(v) ? null : v));
}

// uPlot and its style load after the first results, off the way to them.
let chartLibrary = null;
function loadChartLibrary() {
  chartLibrary ??= new Promise((resolve, reject) => {
    const style = document.createElement('link');
    style.rel = 'stylesheet';
    style.href = 'uPlot.min.css';
    document.head.append(style);
    const script = document.createElement('script');
    script.src = 'uPlot.iife.min.js';
    script.onload = resolve;
    script.onerror = reject;
    document.head.append(script);
  });
  return chartLibrary;
}

function drawChart() {
  if (typeof uPlot === 'undefined') {
    loadChartLibrary().then(drawChart, () => {
      plot.chart.textContent = 'The chart library did not load.';
      keepOffline();
    });
    return;
  }
  keepOffline();  // the chart is the last of start-up
  const id = plot.property.value;
  const property = fluid.properties.find((p) => p.id === id);
  const current = reading ? reading.T : NaN;
  const data = vantorel.chart(fluid.id, id, current, 600);
  const lines = [data.T, series(data.curve), series(data.book), series(data.current)];
  const axis = property.unit ? `${property.heading} (${property.unit})` : property.heading;
  plot.chart.setAttribute('aria-label', `Chart of the ${property.name} of ${fluid.name} over ${fluid.range}` +
    (reading ? `, with ${reading.Ttext} K marked` : ''));

  const key = `${fluid.id} ${id}`;
  if (chart && key === chartKey) {
    chart.setData(lines);
    return;
  }
  chart?.destroy();
  chartKey = key;
  const dots = () => null;  // points only, no line between them
  chart = new uPlot({
    width: chartWidth(),
    height: 320,
    scales: { x: { time: false } },
    legend: { live: false },
    cursor: { drag: { x: false, y: false } },
    series: [
      { label: 'T (K)' },
      { label: axis, stroke: '#1c5d99', width: 2, points: { show: false } },
      { label: "book's rows", stroke: '#9c2a00', fill: '#ffffff', paths: dots, points: { show: true, size: 7, width: 2 } },
      { label: 'this temperature', stroke: '#111111', paths: dots, points: { show: true, size: 13, width: 2, fill: 'rgba(0,0,0,0)' } },
    ],
    axes: [
      { label: 'T (K)', stroke: '#222222', grid: { stroke: '#e4e4e4' } },
      { label: axis, stroke: '#222222', grid: { stroke: '#e4e4e4' }, size: 70 },
    ],
    hooks: { draw: [markCurrent] },
  }, lines, plot.chart);
}

// A vertical line at the current temperature.
function markCurrent(u) {
  if (!reading) return;
  const x = Math.round(u.valToPos(reading.T, 'x', true));
  const { top, height } = u.bbox;
  const ctx = u.ctx;
  ctx.save();
  ctx.strokeStyle = '#111111';
  ctx.setLineDash([4, 4]);
  ctx.lineWidth = 1;
  ctx.beginPath();
  ctx.moveTo(x, top);
  ctx.lineTo(x, top + height);
  ctx.stroke();
  ctx.restore();
}

function chartWidth() {
  return Math.max(280, plot.chart.clientWidth);
}

new ResizeObserver(() => chart?.setSize({ width: chartWidth(), height: 320 })).observe(plot.chart);

// ---------------------------------------------------------------------------
// The sweep.

function tabulate() {
  const result = JSON.parse(vantorel.sweep(fluid.id, sweep.from.value, sweep.to.value, sweep.step.value));
  sweep.error.textContent = result.error ?? '';
  sweep.status.textContent = '';
  if (result.error) {
    sweep.output.hidden = true;
    sweep.last = null;
    saveState();
    return;
  }
  sweep.last = { from: sweep.from.value.trim(), to: sweep.to.value.trim(), step: sweep.step.value.trim(), ...result };
  sweep.caption.textContent = `${fluid.name} from ${sweep.last.from} K to ${sweep.last.to} K in steps of ${sweep.last.step} K: ${result.rows.length} rows`;
  const head = cell('tr', cell('th', 'T (K)'), ...fluid.properties.map((p) => {
    const th = cell('th', symbol(p.symbol));
    if (p.unit) th.append(cell('span', ` (${p.unit})`));
    th.title = p.name;
    return th;
  }));
  head.querySelectorAll('th').forEach((th) => { th.scope = 'col'; });
  sweep.table.tHead.replaceChildren(head);
  const body = document.createDocumentFragment();
  for (const [t, ...texts] of result.rows) {
    const th = cell('th', t);
    th.scope = 'row';
    body.append(cell('tr', th, ...texts.map((text) => cell('td', text))));
  }
  sweep.table.tBodies[0].replaceChildren(body);
  sweep.output.hidden = false;
  saveState();
}

async function copySweep() {
  if (!sweep.last) return;
  try {
    await navigator.clipboard.writeText(sweep.last.tsv);
  } catch {
    // Without the clipboard API (or its permission), the older way.
    const area = document.createElement('textarea');
    area.value = sweep.last.tsv;
    document.body.append(area);
    area.select();
    const copied = document.execCommand('copy');
    area.remove();
    if (!copied) {
      sweep.status.textContent = 'The browser refused to copy: select the table and copy it instead.';
      return;
    }
  }
  sweep.status.textContent = `Copied ${sweep.last.rows.length} rows, tab-separated, with units.`;
}

function downloadSweep() {
  if (!sweep.last) return;
  const url = URL.createObjectURL(new Blob([sweep.last.csv], { type: 'text/csv' }));
  const link = document.createElement('a');
  link.href = url;
  link.download = `${fluid.id}-${sweep.last.from}-${sweep.last.to}-${sweep.last.step}.csv`;
  document.body.append(link);
  link.click();
  link.remove();
  setTimeout(() => URL.revokeObjectURL(url), 1000);
  sweep.status.textContent = `Downloaded ${link.download}.`;
}

// ---------------------------------------------------------------------------
// Wiring.

form.category.addEventListener('change', () => {
  chooseFluid(catalog[Number(form.category.value)].fluids[0].id);
  calculate();
});
form.fluid.addEventListener('change', () => {
  chooseFluid(form.fluid.value);
  calculate();
});
form.temperature.addEventListener('input', calculate);
form.unit.addEventListener('change', calculate);
$('choose').addEventListener('submit', (event) => {
  event.preventDefault();
  calculate();
});
plot.property.addEventListener('change', () => {
  saveState();
  scheduleChart();
});
sweep.form.addEventListener('submit', (event) => {
  event.preventDefault();
  tabulate();
});
sweep.copy.addEventListener('click', copySweep);
sweep.download.addEventListener('click', downloadSweep);

fillFluids(0);
loadState();
document.documentElement.dataset.ready = 'true';

// Offline use: after the first visit a service worker serves the site. It
// is registered once start-up is over (the first results shown and the
// chart's library in), when the browser is idle, so that its copying of the
// site never competes with the first results.
let offlineAsked = false;
function keepOffline() {
  if (offlineAsked || !('serviceWorker' in navigator)) return;
  offlineAsked = true;
  const register = () => navigator.serviceWorker.register('sw.js').catch(() => {});
  if ('requestIdleCallback' in window) requestIdleCallback(register, { timeout: 2000 });
  else setTimeout(register, 200);
}
