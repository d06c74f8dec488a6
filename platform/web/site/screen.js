// The field's place on the screen: its fit to the space below the menu bar, the loading state, boxes over the
// field and above an on-screen keyboard, and full screen. Runs before the program loads, so the first frame
// already shows the field's box at its final size.
'use strict';

window.VantrelScreen = (function () {
  // A whole number of device pixels per field pixel is kept while it is at least this share of the largest fit;
  // below it the field is shown at the largest fit, each field pixel as the nearest device pixels.
  var WHOLE_SHARE = 0.75;
  var $ = function (id) { return document.getElementById(id); };
  var canvas = $('field');
  var client = $('client');

  // Device pixels per field pixel in a space of width × height CSS pixels (the field is the canvas's size, the
  // program's picture).
  function fieldScale(width, height, dpr) {
    var largest = Math.min((width * dpr) / canvas.width, (height * dpr) / canvas.height);
    var whole = Math.floor(largest);
    return whole >= 1 && whole >= WHOLE_SHARE * largest ? whole : largest;
  }

  // The field in the middle of the client area, its edges on device pixels.
  function fit() {
    var r = client.getBoundingClientRect();
    if (r.width === 0 || r.height === 0) return;
    var dpr = window.devicePixelRatio || 1;
    var scale = fieldScale(r.width, r.height, dpr);
    var w = Math.floor(canvas.width * scale);
    var h = Math.floor(canvas.height * scale);
    var style = canvas.style;
    style.width = w / dpr + 'px';
    style.height = h / dpr + 'px';
    style.left = Math.round(r.left * dpr + (r.width * dpr - w) / 2) / dpr - r.left + 'px';
    style.top = Math.round(r.top * dpr + (r.height * dpr - h) / 2) / dpr - r.top + 'px';
    document.querySelectorAll('dialog[open]').forEach(place);
  }

  // A box or dialog centred on the field, moved as little as needed to lie inside the visible part of the page
  // (above an on-screen keyboard, which shrinks only the visual viewport).
  function place(dialog) {
    var f = canvas.getBoundingClientRect();
    var view = window.visualViewport || { offsetLeft: 0, offsetTop: 0, width: innerWidth, height: innerHeight };
    var clamp = function (value, low, size) { return Math.max(low, Math.min(value, low + size)); };
    var w = dialog.offsetWidth;
    var h = dialog.offsetHeight;
    dialog.style.left = clamp(f.left + (f.width - w) / 2, view.offsetLeft, view.width - w) + 'px';
    dialog.style.top = clamp(f.top + (f.height - h) / 2, view.offsetTop, view.height - h) + 'px';
  }

  // The first field is drawn: the menu bar and the field take the loading message's place.
  function fieldShown() {
    document.body.classList.remove('loading');
  }

  // The whole page goes full screen (boxes stay above it); the style sheet gives the footer's space to the field.
  function setUpFullscreen() {
    var button = $('fullscreen');
    if (!document.fullscreenEnabled) return;
    button.hidden = false;
    button.addEventListener('click', function () {
      if (document.fullscreenElement) document.exitFullscreen();
      else document.documentElement.requestFullscreen({ navigationUI: 'hide' }).catch(function () {});
      canvas.focus({ preventScroll: true });
    });
    document.addEventListener('fullscreenchange', function () {
      button.setAttribute('aria-pressed', String(document.fullscreenElement !== null));
    });
  }

  // A new device pixel ratio (the window moved to another screen) changes the fit without resizing anything.
  function watchRatio() {
    matchMedia('(resolution: ' + (window.devicePixelRatio || 1) + 'dppx)').addEventListener('change', function () {
      fit();
      watchRatio();
    }, { once: true });
  }

  fit();
  if (window.ResizeObserver) new ResizeObserver(fit).observe(client);
  window.addEventListener('resize', fit);
  watchRatio();
  if (window.visualViewport) {
    ['resize', 'scroll'].forEach(function (type) {
      window.visualViewport.addEventListener(type, function () {
        document.querySelectorAll('dialog[open]').forEach(place);
      });
    });
  }
  setUpFullscreen();

  return { place: place, fieldShown: fieldShown };
})();
