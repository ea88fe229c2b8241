
// ---------------------------------------------------------------------------
// Kept results: Keep pins the reading on show into a table per category,
// kept in the browser's storage, copied and downloaded as the sweep is.
// Only the fluid and its kelvin are stored; the texts are looked up again.

const kept = {
  section: $('kept'), tables: $('kept-tables'), status: $('kept-status'),
  copy: $('kept-copy'), download: $('kept-download'), downloadSi: $('kept-download-si'), clear: $('kept-clear'),
  list: [],  // [{fluid, T}]: an id and the kelvin's shortest text
};

const keptKey = 'vantorel.kept';

function loadKept() {
  try {
    const stored = JSON.parse(localStorage.getItem(keptKey) ?? '[]');
    kept.list = stored.filter((k) => fluids.has(k?.fluid) && typeof k.T === 'string');
  } catch {
    kept.list = [];  // no storage, or not ours
  }
  showKept();
}

function saveKept() {
  try {
    localStorage.setItem(keptKey, JSON.stringify(kept.list));
  } catch {
    say(kept.status, 'The browser keeps nothing for this page: the kept results go when it closes.');
  }
}

function keepReading() {
  if (!fresh) return;
  const entry = { fluid: fluid.id, T: reading.Ttext };
  const title = `${fluid.name} at ${reading.Ttext} K`;
  if (kept.list.some((k) => k.fluid === entry.fluid && k.T === entry.T)) {
    say(actions.status, `${title} is kept already.`);
    return;
  }
  kept.list.push(entry);
  saveKept();
  showKept();
  say(actions.status, `Kept ${title}.`);
}

function removeKept(entry) {
  const at = kept.list.indexOf(entry);
  kept.list = kept.list.filter((k) => k !== entry);
  saveKept();
  showKept();
  // Focus stays near: on the next entry's button, or back at the calculator.
  const buttons = kept.tables.querySelectorAll('button.remove');
  (buttons[Math.min(at, buttons.length - 1)] ?? actions.copyLink).focus();
}

function showKept() {
  kept.section.hidden = kept.list.length === 0;
  kept.tables.replaceChildren(...catalog.flatMap((category, c) => {
    const entries = kept.list.filter((k) => fluids.get(k.fluid).category === c);
    if (!entries.length) return [];
    // In the units chosen, T in their temperature unit.
    const system = units();
    const readings = entries.map((entry) => JSON.parse(vantorel.calculate(entry.fluid, entry.T, 'K', system)));
    const properties = category.fluids[0].properties;
    const tUnit = readings.find((at) => at.t)?.t.unit ?? 'K';
    const head = cell('tr', cell('th', 'Fluid'), cell('th', 'T', cell('span', tUnit)), ...properties.map((p) => {
      const th = cell('th', symbol(p.symbol));
      if (p.units[system]) th.append(cell('span', p.units[system]));
      th.title = p.name;
      return th;
    }), cell('th', cell('span', 'Remove')));
    head.lastChild.firstChild.className = 'visually-hidden';
    head.querySelectorAll('th').forEach((th) => { th.scope = 'col'; });
    const rows = entries.map((entry, i) => {
      const f = fluids.get(entry.fluid);
      const at = readings[i];
      const name = cell('th', f.name);
      name.scope = 'row';
      const remove = cell('button', '×');
      remove.type = 'button';
      remove.className = 'remove';
      remove.setAttribute('aria-label', `Remove ${f.name} at ${entry.T} K`);
      remove.addEventListener('click', () => removeKept(entry));
      return cell('tr', name, cell('td', at.t?.text ?? entry.T), ...(at.properties ?? []).map((p) => cell('td', p.text)),
        cell('td', remove));
    });
    const table = cell('table', cell('caption', `${category.name} (Table ${category.table})`),
      cell('thead', head), cell('tbody', ...rows));
    table.className = 'sweep kept';
    const scroll = cell('div', table);
    scroll.className = 'scroll';
    scroll.tabIndex = 0;
    scroll.setAttribute('role', 'region');
    scroll.setAttribute('aria-label', `Kept results: ${category.name}`);
    return [scroll];
  }));
}

// The kept rows in the three forms: one block per category.
function keptTexts() {
  return JSON.parse(vantorel.kept(kept.list.map((k) => `${k.fluid}\t${k.T}`).join('\n'), units()));
}

function rowsOfKept() {
  return `${kept.list.length} kept ${kept.list.length === 1 ? 'result' : 'results'}`;
}

async function copyKept() {
  say(kept.status, (await copyText(keptTexts().tsv))
    ? `Copied ${rowsOfKept()}, tab-separated, with units.`
    : 'The browser refused to copy: select the table and copy it instead.');
}

function downloadKept(form) {
  const system = form === 'si' ? '-si' : units() === 'book' ? '' : `-in-${units()}`;
  const name = `vantorel-kept${system}.csv`;
  download(name, [keptTexts()[form]]);
  say(kept.status, `Downloaded ${name}.`);
}

function clearKept() {
  kept.list = [];
  saveKept();
  showKept();
  say(actions.status, 'Removed every kept result.');
}
