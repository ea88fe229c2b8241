
// ---------------------------------------------------------------------------
// The sweep. It is worked out in slices of rows by a worker running this
// same module (its two files come from the cache), so the page stays
// responsive through 10,000 rows and can show progress and cancel; where a
// module worker cannot start, the slices run here between frames. The table
// shows only the rows in view, whatever their number.

// The worker's side: each request answered with the plan, then a message
// per slice. Only function declarations and locals here: in the worker the
// page's part of the module never runs, so its constants do not exist.
function serveSweeps(v, early) {
  const serve = ({ data }) => {
    for (const message of sweepSlices(v, data)) {
      const { rows } = message;
      postMessage(message, rows ? [rows.tsv.buffer, rows.csv.buffer, rows.si.buffer, rows.starts.buffer] : []);
    }
  };
  globalThis.onmessage = serve;
  for (const data of early) serve({ data });
}

// {error, input} or {plan}; then {done} after each slice of 500 rows, the
// last also with `widths`, the longest text of each column, and all the
// rows: the three forms as UTF-8 and where each tab-separated line starts
// (and the last ends). As bytes they cross to the page without a copy, and
// the page reads only the lines it shows.
function* sweepSlices(v, { fluid: id, from, to, step, unit, units: system }) {
  const plan = JSON.parse(v.sweep(id, from, to, step, unit, system));
  if (plan.error) return yield plan;
  yield { plan };
  const texts = { tsv: [], csv: [], si: [] };
  const widths = [];
  for (let first = 0; first < plan.count; first += 500) {
    const slice = JSON.parse(v.sweepRows(id, from, to, step, unit, first, 500, system));
    for (const kind of ['tsv', 'csv', 'si']) texts[kind].push(slice[kind]);
    for (const line of slice.tsv.slice(0, -1).split('\n')) {
      line.split('\t').forEach((text, c) => { widths[c] = Math.max(widths[c] ?? 0, text.length); });
    }
    const done = Math.min(first + 500, plan.count);
    if (done < plan.count) {
      yield { done };
      continue;
    }
    const encoder = new TextEncoder();
    const rows = {};
    for (const kind of ['tsv', 'csv', 'si']) rows[kind] = encoder.encode(texts[kind].join(''));
    rows.starts = new Uint32Array(plan.count + 1);
    for (let i = 0, line = 1; i < rows.tsv.length; i++) if (rows.tsv[i] === 10) rows.starts[line++] = i + 1;
    yield { done, rows, widths };
  }
}

const sweep = {
  form: $('sweep-form'), from: $('sweep-from'), to: $('sweep-to'), step: $('sweep-step'),
  error: $('sweep-error'), output: $('sweep-output'), table: $('sweep-table'), scroll: $('sweep-scroll'),
  rows: $('sweep-rows'),
  caption: $('sweep-caption'), status: $('sweep-status'), progress: $('sweep-progress'), bar: $('sweep-bar'),
  cancel: $('sweep-cancel'), copy: $('copy'), download: $('download'), downloadSi: $('download-si'),
  last: null,  // the sweep on show: {fluid, plan, rows, widths, typed, units}
};

let sweepWorker = null;
let sweepMailbox = null;  // where the messages of the sweep under way go
let sweepRun = 0;         // the latest tabulation; an older one shows nothing

function sweepTexts() {
  return { from: sweep.from.value.trim(), to: sweep.to.value.trim(), step: sweep.step.value.trim() };
}

function startWorker() {
  if (!sweepWorker) {
    sweepWorker = new Worker(new URL('vantorel.js', location.href), { type: 'module' });
    sweepWorker.onmessage = ({ data }) => sweepMailbox?.(data);
    sweepWorker.onerror = () => sweepMailbox?.({ workerFailed: true });
  }
  return sweepWorker;
}

// Ends the sweep under way, if any, its worker where it stands.
function stopSweep() {
  if (!sweepMailbox) return;
  sweepMailbox({ stopped: true });
  sweepMailbox = null;
  sweepWorker?.terminate();
  sweepWorker = null;
}

// The messages of a sweep, from the worker or, where it cannot start,
// worked out here a slice per task.
async function* sweepMessages(request) {
  stopSweep();
  const queue = [];
  let wake = null;
  const mailbox = (message) => {
    queue.push(message);
    wake?.();
  };
  sweepMailbox = mailbox;
  try {
    try {
      startWorker().postMessage(request);
    } catch {
      mailbox({ workerFailed: true });
    }
    for (;;) {
      while (!queue.length) await new Promise((resolve) => { wake = resolve; });
      const message = queue.shift();
      if (message.stopped) return;
      if (message.workerFailed) {
        sweepWorker?.terminate();
        sweepWorker = null;
        for (const slice of sweepSlices(vantorel, request)) {
          if (sweepMailbox !== mailbox) return;
          yield slice;
          await new Promise((resolve) => setTimeout(resolve));
        }
        return;
      }
      yield message;
    }
  } finally {
    if (sweepMailbox === mailbox) sweepMailbox = null;
  }
}

// Tabulates what the fields say. A sweep the address asked for keeps the
// address as it is.
async function tabulate({ fromLink = false, onRefusal = null } = {}) {
  const run = ++sweepRun;
  const typed = sweepTexts();
  const request = { fluid: fluid.id, ...typed, unit: form.unit.value, units: units() };
  const started = performance.now();
  const progress = setTimeout(() => { if (run === sweepRun) sweep.progress.hidden = false; }, 150);
  let plan = null;
  let rows = null;
  let widths = [];
  try {
    for await (const message of sweepMessages(request)) {
      if (run !== sweepRun) return;
      if (message.error) {
        if (onRefusal) return onRefusal(message);
        return refuseSweep(message, fromLink);
      }
      if (message.plan) {
        plan = message.plan;
        continue;
      }
      sweep.bar.value = message.done / plan.count;
      if (message.rows) ({ rows, widths } = message);
      if (message.done === plan.count) break;
    }
  } finally {
    clearTimeout(progress);
    if (run === sweepRun) sweep.progress.hidden = true;
  }
  if (run !== sweepRun || !rows) return;
  const last = { fluid, plan, typed, widths, rows, units: request.units };
  // The table in a task of its own, so that no one task takes long.
  await new Promise((resolve) => setTimeout(resolve));
  if (run !== sweepRun) return;
  sweep.last = last;
  sweep.error.textContent = '';
  markSweepFields(null);
  showSweep();
  const seconds = (performance.now() - started) / 1000;
  say(sweep.status, seconds > 1 ? `Tabulated in ${seconds.toFixed(1)} s.` : '');
  if (!fromLink) saveState();
}

function refuseSweep(refusal, fromLink) {
  say(sweep.error, refusal.error);
  markSweepFields(refusal.input);
  sweep.output.hidden = true;
  sweep.last = null;
  if (!fromLink) saveState();
}

function markSweepFields(input) {
  for (const name of ['from', 'to', 'step']) sweep[name].setAttribute('aria-invalid', String(name === input));
}

function cancelSweep() {
  sweepRun++;
  stopSweep();
  sweep.progress.hidden = true;
  say(sweep.error, '');
  say(sweep.status, 'Sweep cancelled.');
}

function rowsText(count) {
  return `${count.toLocaleString('en')} ${count === 1 ? 'row' : 'rows'}`;
}

function showSweep() {
  const { plan, widths, fluid: f, units: system } = sweep.last;
  sweep.caption.textContent = `${f.name} from ${plan.from} to ${plan.to} in steps of ${plan.step}: ${rowsText(plan.count)}`;
  // T in the unit the sweep was typed in, the values in the units chosen.
  const head = cell('tr', cell('th', 'T', cell('span', plan.unit)), ...f.properties.map((p) => {
    const th = cell('th', symbol(p.symbol));
    if (p.units[system]) th.append(cell('span', p.units[system]));
    th.title = p.name;
    return th;
  }));
  head.querySelectorAll('th').forEach((th) => { th.scope = 'col'; });
  sweep.table.tHead.replaceChildren(head);
  // Fixed columns as wide as their longest text, so rows coming into view
  // never shift them.
  const columnUnits = [plan.unit, ...f.properties.map((p) => p.units[system])];
  sweep.table.querySelector('colgroup').replaceChildren(...columnUnits.map((unit, c) => {
    const col = document.createElement('col');
    col.style.width = `calc(${Math.max(widths[c] ?? 4, unit.length * 0.9, 4)}ch + 0.9rem)`;
    return col;
  }));
  sweep.table.setAttribute('aria-rowcount', String(plan.count + 1));
  sweep.output.hidden = false;
  sweep.shown = null;
  showRowsInView(0);
  // Back to the top once laid out: set now, it would lay the page out at once.
  requestAnimationFrame(() => { sweep.scroll.scrollTop = 0; });
}

// The scroll box's height and its header's, kept as they change, so that
// drawing rows never waits on a layout of the page.
const sweepBox = { height: 512, header: 48 };
new ResizeObserver(() => {
  sweepBox.height = sweep.scroll.clientHeight || sweepBox.height;
  sweepBox.header = sweep.table.tHead.offsetHeight || sweepBox.header;
}).observe(sweep.scroll);

const utf8 = new TextDecoder();

// The rows in view, the table moved down to where they belong in a box as
// tall as every row.
function showRowsInView(scrollTop = sweep.scroll.scrollTop) {
  const last = sweep.last;
  if (!last) return;
  const count = last.plan.count;
  const rowHeight = sweep.rowHeight ?? 32;
  // A short sweep is drawn whole; a long one, the rows in view and ten
  // either side, so that each frame lays out little.
  const whole = count <= 100;
  const above = Math.floor(Math.max(0, scrollTop - sweepBox.header) / rowHeight);
  const first = whole ? 0 : Math.max(0, above - 10);
  const end = whole ? count : Math.min(count, above + Math.ceil(sweepBox.height / rowHeight) + 10);
  if (sweep.shown?.first === first && sweep.shown?.end === end && sweep.shown?.last === last) return;
  sweep.shown = { first, end, last };
  sweep.rows.style.height = whole ? '' : `${sweepBox.header + count * rowHeight}px`;
  sweep.table.style.top = `${first * rowHeight}px`;
  const body = document.createDocumentFragment();
  for (let i = first; i < end; i++) {
    const [t, ...texts] = utf8.decode(last.rows.tsv.subarray(last.rows.starts[i], last.rows.starts[i + 1] - 1))
      .split('\t');
    const th = cell('th', t);
    th.scope = 'row';
    const tr = cell('tr', th, ...texts.map((text) => cell('td', text)));
    tr.setAttribute('aria-rowindex', String(i + 2));
    body.append(tr);
  }
  sweep.table.tBodies[0].replaceChildren(body);
  // The rows' height as drawn, read once they are laid out anyway.
  requestAnimationFrame(() => requestAnimationFrame(() => {
    const drawn = sweep.table.tBodies[0].rows[0]?.getBoundingClientRect().height;
    if (drawn && Math.abs(drawn - rowHeight) > 0.5) {
      sweep.rowHeight = drawn;
      sweep.shown = null;
      showRowsInView();
    }
  }));
}

let scrollFrame = 0;
sweep.scroll.addEventListener('scroll', () => {
  cancelAnimationFrame(scrollFrame);
  scrollFrame = requestAnimationFrame(() => showRowsInView());
});

async function copySweep() {
  if (!sweep.last) return;
  const { plan, rows } = sweep.last;
  say(sweep.status, (await copyText(plan.header.tsv + utf8.decode(rows.tsv)))
    ? `Copied ${rowsText(sweep.last.plan.count)}, tab-separated, with units.`
    : 'The browser refused to copy: select the table and copy it instead.');
}

function downloadSweep(form) {
  if (!sweep.last) return;
  const { from, to, step } = sweep.last.typed;
  // The units in the name where they are not the book's; the SI form is SI whatever they are.
  const system = form === 'si' ? '-si' : sweep.last.units === 'book' ? '' : `-in-${sweep.last.units}`;
  const name = `${sweep.last.fluid.id}-${from}-${to}-${step}${system}.csv`.replace(/\s+/g, '');
  download(name, [sweep.last.plan.header[form], sweep.last.rows[form]]);
  say(sweep.status, `Downloaded ${name}.`);
}

// Bare numbers in a sweep are in the unit box's unit, as the temperature is.
function showSweepUnit() {
  for (const label of document.querySelectorAll('.sweep-unit')) label.textContent = form.unit.selectedOptions[0].text;
}

// The fields' texts for a fluid's whole range, in some 20 to 60 rows: the
// ends name their unit, so they stand whatever the unit box says.
function sweepDefaults(f) {
  const span = f.Tmax - f.Tmin;
  const step = [1, 2, 5, 10, 20, 25, 50, 100, 200, 500].find((s) => span / s <= 60) ?? 1000;
  return { from: `${f.Tmin} K`, to: `${f.Tmax} K`, step: String(step) };
}

function setSweepTexts(texts) {
  sweep.from.value = texts.from;
  sweep.to.value = texts.to;
  sweep.step.value = texts.step;
}

// A new fluid: a sweep on show is tabulated again for it where its range
// allows, else the fields take the new range. Fields the user has not
// touched follow the fluid's range.
function sweepFollowsFluid(before) {
  const untouched = !before || JSON.stringify(sweepTexts()) === JSON.stringify(sweepDefaults(before));
  markSweepFields(null);
  say(sweep.error, '');
  if ((sweep.last || sweepMailbox) && before) {
    tabulate({
      onRefusal: () => {
        setSweepTexts(sweepDefaults(fluid));
        sweep.output.hidden = true;
        sweep.last = null;
        say(sweep.status, '');
        saveState();
      },
    });
    return;
  }
  if (untouched) setSweepTexts(sweepDefaults(fluid));
}
