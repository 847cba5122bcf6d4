// The plant view's page: the first snapshot by one GET, then one push per display
// tick that changed something, over a WebSocket that comes back by itself after the
// program restarts. Read-only: nothing here sends anything but GET requests.
'use strict';

const SLOTS = 10;
const HOUR_MS = 60 * 60 * 1000;
const COLOURS = ['#e6194b', '#3cb44b', '#4363d8', '#f58231', '#911eb4',
                 '#008080', '#f032e6', '#808000', '#800000', '#000075'];
const LAMPS = [['OUT1', 'out'], ['OUT2', 'out'], ['AL1', 'al'], ['AL2', 'al']];

const state = { panel: 1, view: null, trend: null, socket: null, retryMs: 1000 };

function element(tag, className, text) {
  const node = document.createElement(tag);
  if (className) node.className = className;
  if (text !== undefined) node.textContent = text;
  return node;
}

function buildTiles() {
  const tiles = document.getElementById('tiles');
  for (let s = 1; s <= SLOTS; ++s) {
    const tile = element('div', 'tile');
    tile.dataset.slot = String(s);
    tile.append(element('div', 'name'));
    for (const [label, kind] of [['PV', 'pv'], ['SV', 'sv']]) {
      const row = element('div', 'row');
      row.append(element('b', '', label), element('span', 'figure ' + kind));
      tile.append(row);
    }
    const lamps = element('div', 'lamps');
    for (const [label, kind] of LAMPS) lamps.append(element('span', 'lamp ' + kind, label));
    tile.append(lamps);
    const output = element('div', 'output');
    const bar = element('div', 'bar');
    bar.append(element('div', 'fill'));
    output.append(element('span', '', 'OUT%'), bar, element('span', 'percent'));
    tile.append(output);
    tiles.append(tile);
  }
}

function showTiles() {
  const view = state.view;
  if (!view) return;
  const panel = view.panels[state.panel - 1];
  document.querySelectorAll('#tiles .tile').forEach((tile, i) => {
    const slot = panel.slots[i];
    tile.querySelector('.name').textContent = slot.title;
    tile.classList.toggle('unlinked', !slot.linked);
    tile.querySelector('.pv').textContent = slot.linked ? slot.pv : '無連接';
    tile.querySelector('.sv').textContent = slot.linked ? slot.sv : '';
    tile.querySelector('.percent').textContent = slot.out;
    tile.querySelector('.fill').style.width = (slot.bar / 10) + '%';
    tile.querySelectorAll('.lamp').forEach((lamp, k) => lamp.classList.toggle('on', slot.lamps[k]));
  });
}

function showView(view) {
  state.view = view;
  if (view.title) {
    document.title = view.title;
    document.getElementById('title').textContent = view.title;
  }
  document.getElementById('notice').hidden = view.started;
  showTiles();
  addTrendPoint(view);
  drawTrend();
}

function showAlarms(lines) {
  const list = document.getElementById('alarms');
  list.replaceChildren(...lines.map((line) => element('li', '', line)));
}

function choosePanel(panel) {
  state.panel = panel;
  document.querySelectorAll('#tabs button').forEach((tab) => {
    tab.setAttribute('aria-selected', String(Number(tab.dataset.panel) === panel));
  });
  showTiles();
  loadTrend();
}

// --- trend -------------------------------------------------------------------

async function loadTrend() {
  const panel = state.panel;
  try {
    const answer = await fetch('/trend?panel=' + panel, { credentials: 'same-origin' });
    if (!answer.ok) return;
    const trend = await answer.json();
    if (panel !== state.panel) return;
    state.trend = {
      times: trend.times.map((t) => trend.start + t),
      slots: trend.slots,
    };
    drawTrend();
  } catch (error) {
    // The next push draws what is known; the history comes with the next tab choice.
  }
}

function addTrendPoint(view) {
  const trend = state.trend;
  if (!trend || !view.started) return;
  const now = view.time || Date.now();
  if (trend.times.length && now - trend.times[trend.times.length - 1] < 1000) return;
  trend.times.push(now);
  const slots = view.panels[state.panel - 1].slots;
  for (let s = 0; s < SLOTS; ++s) {
    const value = parseFloat(slots[s].pv);
    trend.slots[s].push(slots[s].linked && Number.isFinite(value) ? value : null);
  }
  while (trend.times.length && trend.times[0] < now - HOUR_MS) {
    trend.times.shift();
    trend.slots.forEach((values) => values.shift());
  }
}

function drawTrend() {
  const canvas = document.getElementById('trend');
  const context = canvas.getContext('2d');
  const width = canvas.width, height = canvas.height;
  const left = 56, right = 24, top = 10, bottom = 28;
  context.clearRect(0, 0, width, height);
  context.font = '12px sans-serif';
  context.strokeStyle = '#808080';
  context.strokeRect(left, top, width - left - right, height - top - bottom);

  const trend = state.trend;
  const end = trend && trend.times.length ? trend.times[trend.times.length - 1] : Date.now();
  const start = end - HOUR_MS;
  let low = Infinity, high = -Infinity;
  if (trend) {
    for (const values of trend.slots) {
      for (const value of values) {
        if (value === null) continue;
        low = Math.min(low, value);
        high = Math.max(high, value);
      }
    }
  }
  if (!Number.isFinite(low)) { low = 0; high = 100; }
  if (high - low < 1) { low -= 0.5; high += 0.5; }
  const margin = (high - low) * 0.05;
  low -= margin; high += margin;
  const x = (t) => left + (t - start) / HOUR_MS * (width - left - right);
  const y = (v) => top + (high - v) / (high - low) * (height - top - bottom);

  context.fillStyle = '#000';
  context.textAlign = 'right';
  context.textBaseline = 'middle';
  for (let k = 0; k <= 4; ++k) {
    const value = low + (high - low) * k / 4;
    context.fillText(value.toFixed(1), left - 4, y(value));
  }
  context.textAlign = 'center';
  context.textBaseline = 'top';
  for (let k = 0; k <= 6; ++k) {
    const t = start + HOUR_MS * k / 6;
    const at = new Date(t);
    const label = String(at.getHours()).padStart(2, '0') + ':' + String(at.getMinutes()).padStart(2, '0');
    context.fillText(label, x(t), height - bottom + 6);
  }
  if (!trend) return;
  trend.slots.forEach((values, s) => {
    context.strokeStyle = COLOURS[s];
    context.lineWidth = 1.5;
    context.beginPath();
    let drawing = false;
    values.forEach((value, i) => {
      if (value === null) { drawing = false; return; }
      if (drawing) context.lineTo(x(trend.times[i]), y(value));
      else context.moveTo(x(trend.times[i]), y(value));
      drawing = true;
    });
    context.stroke();
  });
  showLegend();
}

function showLegend() {
  const legend = document.getElementById('legend');
  const slots = state.view ? state.view.panels[state.panel - 1].slots : [];
  legend.replaceChildren(...slots.map((slot, s) => {
    const item = element('li');
    const swatch = element('span', 'swatch');
    swatch.style.background = COLOURS[s];
    item.append(swatch, document.createTextNode(slot.title));
    return item;
  }));
}

// --- live feed ---------------------------------------------------------------

function setLinkState(up) {
  const link = document.getElementById('link');
  link.className = up ? 'up' : 'down';
  link.textContent = up ? '即時連線' : '連線中斷，重新連線中…';
}

function connect() {
  const socket = new WebSocket((location.protocol === 'https:' ? 'wss://' : 'ws://') + location.host + '/live');
  state.socket = socket;
  socket.addEventListener('open', () => {
    state.retryMs = 1000;
    setLinkState(true);
    loadTrend();
  });
  socket.addEventListener('message', (event) => {
    const message = JSON.parse(event.data);
    if (message.type === 'view') showView(message);
    else if (message.type === 'alarms') showAlarms(message.lines);
  });
  socket.addEventListener('close', () => {
    setLinkState(false);
    // The program may be restarting: try again, less often the longer it is away.
    setTimeout(connect, state.retryMs);
    state.retryMs = Math.min(state.retryMs * 2, 10000);
  });
}

async function start() {
  // The token has become a cookie; it need not stay in the address bar or history.
  if (location.search.includes('token=')) history.replaceState(null, '', '/');
  buildTiles();
  document.querySelectorAll('#tabs button').forEach((tab) => {
    tab.addEventListener('click', () => choosePanel(Number(tab.dataset.panel)));
  });
  try {
    const answer = await fetch('/snapshot', { credentials: 'same-origin' });
    if (answer.ok) {
      const snapshot = await answer.json();
      showView(snapshot.view);
      showAlarms(snapshot.alarms);
    }
  } catch (error) {
    setLinkState(false);
  }
  loadTrend();
  connect();
}

start();
