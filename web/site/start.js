
// ---------------------------------------------------------------------------
// Wiring, in one place, and the start. Whatever the user does also writes
// the address and ends what a link said wrong.

function acted(handler) {
  return (event) => {
    showFluidError(null);
    handler(event);
    saveState();
  };
}

form.category.addEventListener('change', acted(() => {
  chooseFluid(catalog[Number(form.category.value)].fluids[0].id);
  calculate();
}));
form.fluid.addEventListener('change', acted(() => {
  chooseFluid(form.fluid.value);
  calculate();
}));
form.temperature.addEventListener('input', acted(() => {
  unitTexts = null;
  calculate();
}));
// Leaving the field, or Enter, says what is wrong with what it holds.
form.temperature.addEventListener('blur', () => {
  if (form.temperature.value.trim() && !fresh) calculate({ insist: true });
});
$('choose').addEventListener('submit', acted((event) => {
  event.preventDefault();
  calculate({ insist: true });
}));
form.unit.addEventListener('change', acted(changeUnit));
form.given.addEventListener('change', acted(changeGiven));
form.units.addEventListener('change', acted(changeUnits));
actions.keep.addEventListener('click', keepReading);
actions.copyLink.addEventListener('click', copyLink);

plot.property.addEventListener('change', acted(scheduleChart));

sweep.form.addEventListener('submit', (event) => {
  event.preventDefault();
  showFluidError(null);
  tabulate();
});
sweep.cancel.addEventListener('click', cancelSweep);
sweep.copy.addEventListener('click', copySweep);
sweep.download.addEventListener('click', () => downloadSweep('csv'));
sweep.downloadSi.addEventListener('click', () => downloadSweep('si'));

kept.copy.addEventListener('click', copyKept);
kept.download.addEventListener('click', () => downloadKept('csv'));
kept.downloadSi.addEventListener('click', () => downloadKept('si'));
kept.clear.addEventListener('click', clearKept);
// Another tab of the page kept or removed something.
addEventListener('storage', (event) => {
  if (event.key === keptKey) loadKept();
});

// Leaving with the address not yet written: write it, for the way back.
addEventListener('pagehide', () => { if (saving) writeAddress(); });

// Printing shows the working, which a closed summary would hide.
let workingWasOpen = false;
addEventListener('beforeprint', () => {
  workingWasOpen = results.details.open;
  results.details.open = true;
});
addEventListener('afterprint', () => { results.details.open = workingWasOpen; });

fillFluids(0);
await nextTask();
loadState();
// The first results have their frame to themselves; the chart, the kept
// results and the sweep come in the next.
await afterNextFrame();
loadKept();
document.documentElement.dataset.ready = 'true';

// Offline use: after the first visit a service worker serves the site. It
// is registered once start-up is over (the first results shown and the
// chart's library in, or a few seconds on when the chart is off the
// screen), when the browser is idle, so that its copying of the site never
// competes with the first results. The page's load event has mostly come
// and gone by now: this script is asked for once the page is drawn.
if (document.readyState === 'complete') setTimeout(keepOffline, 3000);
else addEventListener('load', () => setTimeout(keepOffline, 3000));
let offlineAsked = false;
function keepOffline() {
  if (offlineAsked || !('serviceWorker' in navigator)) return;
  offlineAsked = true;
  const register = () => navigator.serviceWorker.register('sw.js').catch(() => {});
  if ('requestIdleCallback' in window) requestIdleCallback(register, { timeout: 2000 });
  else setTimeout(register, 200);
}
