
// ---------------------------------------------------------------------------
// The chart: the look-up over the whole range, the book's rows as dots, the
// current temperature marked. Pointing at it, or touching it, shows the
// look-up there; the legend's entries switch their series from the
// keyboard too.

const plot = {
  property: $('plot-property'), chart: $('chart'), axis: $('chart-axis'), tip: $('chart-tip'),
};

let chart = null;
let chartKey = '';
let chartData = null;  // what the chart shows: its points, axes and x's unit

// Typing redraws the chart at most once a frame, after the results. The
// first chart waits until the first results are on the screen (the results
// heading's element timing says when), so that drawing it never holds them
// up, and until it comes near the screen: on a phone it lies below the
// results, and neither it nor its library need load before they are read.
let chartPending = false;
function scheduleChart() {
  if (chartPending) return;
  chartPending = true;
  const draw = () => setTimeout(() => {
    chartPending = false;
    drawChart();
  });
  if (chart) requestAnimationFrame(draw);
  else Promise.all([resultsPainted(), chartNearScreen()]).then(draw);
}

let chartNear = null;
function chartNearScreen() {
  chartNear ??= new Promise((resolve) => {
    if (!('IntersectionObserver' in window)) return resolve();
    const observer = new IntersectionObserver((entries) => {
      if (!entries.some((entry) => entry.isIntersecting)) return;
      observer.disconnect();
      resolve();
    }, { rootMargin: '200px' });
    observer.observe(plot.chart);
  });
  return chartNear;
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

// The chart's colours are the style sheet's, for light and dark alike.
function chartColours() {
  const style = getComputedStyle(document.documentElement);
  const colour = (name) => style.getPropertyValue(name).trim();
  return {
    curve: colour('--chart-curve'), rows: colour('--chart-rows'), marker: colour('--chart-marker'),
    axis: colour('--chart-axis'), grid: colour('--chart-grid'), background: colour('--background'),
  };
}

function plotted() {
  return fluid.properties.find((p) => p.id === plot.property.value);
}

function drawChart() {
  if (typeof uPlot === 'undefined') {
    loadChartLibrary().then(drawChart, () => {
      plot.chart.append('The chart library did not load.');
      keepOffline();
    });
    return;
  }
  keepOffline();  // the chart is the last of start-up
  const property = plotted();
  const current = reading ? reading.T : NaN;
  // In the units chosen: the values, and T in their temperature unit.
  const data = vantorel.chart(fluid.id, property.id, current, 600, units());
  chartData = data;
  const lines = [data.x, series(data.curve), series(data.book), series(data.current)];
  const axis = data.axis;
  plot.chart.setAttribute('aria-label', `Chart of the ${property.name} of ${fluid.name} over ${fluid.range}` +
    (reading ? `, with ${reading.t.text} ${reading.t.unit} marked` : ''));
  plot.axis.replaceChildren(...withSubscripts(axis));

  const key = `${fluid.id} ${property.id} ${units()} ${matchMedia('(prefers-color-scheme: dark)').matches}`;
  if (chart && key === chartKey) {
    chart.setData(lines);
    return;
  }
  chart?.destroy();
  chartKey = key;
  const colours = chartColours();
  const dots = () => null;  // points only, no line between them
  chart = new uPlot({
    width: chartWidth(),
    height: 320,
    scales: { x: { time: false } },
    legend: { live: false },
    cursor: { drag: { x: false, y: false }, points: { show: false } },
    series: [
      { label: data.xAxis },
      { label: axis, stroke: colours.curve, width: 2, points: { show: false } },
      { label: "book's rows", stroke: colours.rows, fill: colours.background, paths: dots,
        points: { show: true, size: 7, width: 2 } },
      { label: 'this temperature', stroke: colours.marker, paths: dots,
        points: { show: true, size: 13, width: 2, fill: 'rgba(0,0,0,0)' } },
    ],
    axes: [
      { label: data.xAxis, stroke: colours.axis, grid: { stroke: colours.grid }, ticks: { stroke: colours.grid } },
      { stroke: colours.axis, grid: { stroke: colours.grid }, ticks: { stroke: colours.grid }, size: 60 },
    ],
    hooks: { draw: [markCurrent], setCursor: [showTip], setSeries: [legendStates] },
  }, lines, plot.chart);
  legendByKeyboard(chart);
  followTouch(chart);
}

// A vertical line at the current temperature.
function markCurrent(u) {
  if (!reading || !Number.isFinite(chartData?.currentX)) return;
  const x = Math.round(u.valToPos(chartData.currentX, 'x', true));
  const { top, height } = u.bbox;
  const ctx = u.ctx;
  ctx.save();
  ctx.strokeStyle = chartColours().marker;
  ctx.setLineDash([4, 4]);
  ctx.lineWidth = 1;
  ctx.beginPath();
  ctx.moveTo(x, top);
  ctx.lineTo(x, top + height);
  ctx.stroke();
  ctx.restore();
}

// The look-up at the cursor, at a temperature rounded to what a pixel
// tells apart: T and the property as the results show them.
function showTip(u) {
  const { left, top } = u.cursor;
  if (left == null || left < 0) {
    plot.tip.hidden = true;
    return;
  }
  const perPixel = (u.scales.x.max - u.scales.x.min) / u.bbox.width * devicePixelRatio;
  const decimals = Math.max(0, Math.min(6, -Math.floor(Math.log10(perPixel))));
  const t = u.posToVal(left, 'x').toFixed(decimals);
  const property = plotted();
  const at = JSON.parse(vantorel.calculate(fluid.id, t, chartData.xUnit, units()));
  if (!at.properties) {
    plot.tip.hidden = true;
    return;
  }
  const value = at.properties.find((p) => p.id === property.id);
  const unit = value.state === 'value' && value.unit ? ` ${value.unit}` : '';
  plot.tip.replaceChildren(cell('span', `T = ${at.t.text} ${at.t.unit}`), cell('br'),
    symbol(property.symbol), ` = ${value.text}${unit}`);
  plot.tip.hidden = false;
  // Beside the cursor, on the side with room.
  const over = u.over.getBoundingClientRect(), box = plot.chart.getBoundingClientRect();
  const x = over.left - box.left + left, y = over.top - box.top + top;
  const flip = x + plot.tip.offsetWidth + 16 > box.width;
  plot.tip.style.left = `${flip ? x - plot.tip.offsetWidth - 12 : x + 12}px`;
  plot.tip.style.top = `${Math.max(0, y - plot.tip.offsetHeight - 8)}px`;
}

// A finger moves the cursor as a mouse does; a vertical drag still scrolls.
function followTouch(u) {
  u.over.style.touchAction = 'pan-y';
  const move = (event) => {
    if (event.pointerType === 'mouse') return;
    const rect = u.over.getBoundingClientRect();
    u.setCursor({ left: event.clientX - rect.left, top: event.clientY - rect.top });
  };
  u.over.addEventListener('pointerdown', move);
  u.over.addEventListener('pointermove', move);
}

// The legend's entries as switches: Tab reaches them, Enter or Space
// shows or hides their series, as a click does. The curve's label gets its
// subscripts.
function legendEntries(u) {
  // Without live values uPlot leaves the temperature's entry out.
  const entries = [...u.root.querySelectorAll('.u-legend .u-series')];
  const skipped = u.series.length - entries.length;
  return entries.map((entry, i) => ({ entry, series: i + skipped })).filter(({ series }) => series > 0);
}

function legendByKeyboard(u) {
  u.root.querySelector('.u-legend')?.setAttribute('role', 'presentation');
  for (const { entry, series } of legendEntries(u)) {
    entry.tabIndex = 0;
    entry.setAttribute('role', 'switch');
    entry.addEventListener('keydown', (event) => {
      if (event.key !== 'Enter' && event.key !== ' ') return;
      event.preventDefault();
      u.setSeries(series, { show: !u.series[series].show });
    });
    if (series === 1) entry.querySelector('.u-label')?.replaceChildren(...withSubscripts(u.series[1].label));
  }
  legendStates(u);
}

function legendStates(u) {
  for (const { entry, series } of legendEntries(u)) entry.setAttribute('aria-checked', String(u.series[series].show));
}

function chartWidth() {
  return Math.max(280, plot.chart.clientWidth);
}

new ResizeObserver(() => chart?.setSize({ width: chartWidth(), height: 320 })).observe(plot.chart);
// A change between light and dark draws the chart again in the new colours.
matchMedia('(prefers-color-scheme: dark)').addEventListener('change', () => scheduleChart());
