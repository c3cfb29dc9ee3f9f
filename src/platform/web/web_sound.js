// The page's sound through the Web Audio API: looped beds (music, ambience) crossfading from one
// piece to the next, cues played once, all through one volume. Browsers let sound start only
// after the player's first click, tap or key, so the context is made then; the files are fetched
// only once the first frame shows, and each is decoded once the context exists. A file that fails
// to load or decode is named once on the console and stays silent; nothing else changes.
Module.vzSound = (function () {
  "use strict";
  var FADE = 1.0;  // seconds of a crossfade
  var CURVE = 64;  // points of a fade's curve
  var context = null, master = null, analyser = null;
  var fetched = {};  // name -> Promise of its bytes (null when they could not be had)
  var decoded = {};  // name -> Promise of its AudioBuffer (null when it cannot be played)
  var named = {};    // names already said to be unplayable
  var cues = [];     // every cue's name, fetched after the first frame
  var beds = {music: {name: "", voice: null, token: 0}, ambience: {name: "", voice: null, token: 0}};
  var gain = 0, muted = false, hidden = false, loading = false;

  function unplayable(name, why) {
    if (named[name]) return;
    named[name] = true;
    console.warn("vudizid: the sound sounds/" + name + ".ogg cannot be played (" + why + "); it stays silent");
  }

  function bytes(name) {
    if (!fetched[name]) {
      fetched[name] = fetch("sounds/" + name + ".ogg").then(function (r) {
        if (!r.ok) throw new Error("HTTP " + r.status);
        return r.arrayBuffer();
      }).catch(function (e) {
        unplayable(name, e.message || String(e));
        return null;
      });
    }
    return fetched[name];
  }

  // Beds are decoded anew when they come back (a minute of music is tens of megabytes decoded);
  // cues stay decoded.
  function buffer(name, keep) {
    if (!context) return Promise.resolve(null);
    var known = decoded[name];
    if (known) return known;
    var made = bytes(name).then(function (b) {
      if (!b) return null;
      // decodeAudioData takes the bytes over; a copy keeps them for another time.
      return context.decodeAudioData(b.slice(0)).catch(function () {
        unplayable(name, "damaged");
        return null;
      });
    });
    if (keep) decoded[name] = made;
    return made;
  }

  function curve(from, to) {
    var c = new Float32Array(CURVE);
    for (var i = 0; i < CURVE; ++i) {
      var t = i / (CURVE - 1);
      // Equal power: one piece fading in and one fading out add up to the loudness of either.
      c[i] = from > to ? from * Math.cos(t * Math.PI / 2) : to * Math.sin(t * Math.PI / 2);
    }
    return c;
  }

  function fadeOut(voice) {
    var now = context.currentTime, g = voice.gain.gain;
    var at = g.value;
    g.cancelScheduledValues(0);  // the fade-in too, should it still run
    g.setValueCurveAtTime(curve(at, 0), now, FADE);
    voice.source.stop(now + FADE + 0.05);
    voice.source.onended = function () { voice.gain.disconnect(); };
  }

  // The bed on a layer becomes `name` ("" for none): the new piece fades in while the old fades
  // out, both at once, as soon as the new one is ready.
  function startBed(layer) {
    var bed = beds[layer], token = ++bed.token, name = bed.name;
    if (!context || !loading) return;
    (name ? buffer(name, false) : Promise.resolve(null)).then(function (b) {
      if (bed.token !== token) return;  // asked for another meanwhile
      if (bed.voice) fadeOut(bed.voice);
      bed.voice = null;
      if (!b) return;
      var source = context.createBufferSource(), g = context.createGain();
      source.buffer = b;
      source.loop = true;
      g.gain.value = 0;
      source.connect(g).connect(master);
      g.gain.setValueCurveAtTime(curve(0, 1), context.currentTime, FADE);
      source.start();
      bed.voice = {source: source, gain: g, name: name};
    });
  }

  function audible() { return context && !muted && !hidden && gain > 0; }

  // Heard only while the game is: muted or with the page hidden, the context stands still (and
  // costs nothing), and goes on where it was.
  function settle() {
    if (!context) return;
    var now = context.currentTime;
    master.gain.cancelScheduledValues(now);
    master.gain.setTargetAtTime(muted || hidden ? 0 : gain, now, 0.015);
    if (muted || hidden) {
      // Past the short fade to silence first, so nothing clicks.
      setTimeout(function () { if (muted || hidden) context.suspend(); }, 150);
    } else {
      context.resume();
    }
  }

  // The player's first click, tap or key.
  function wake() {
    if (context) return;
    var Context = window.AudioContext || window.webkitAudioContext;
    if (!Context) return;
    try {
      context = new Context();
    } catch (e) {
      console.warn("vudizid: no sound in this browser (" + e.message + ")");
      return;
    }
    master = context.createGain();
    master.gain.value = muted ? 0 : gain;
    analyser = context.createAnalyser();
    analyser.fftSize = 2048;
    master.connect(analyser).connect(context.destination);
    for (var i = 0; i < cues.length; ++i) buffer(cues[i], true);
    startBed("music");
    startBed("ambience");
    settle();
  }
  ["pointerdown", "keydown", "touchstart"].forEach(function (kind) {
    window.addEventListener(kind, wake, {capture: true, passive: true});
  });
  document.addEventListener("visibilitychange", function () {
    hidden = document.hidden;
    settle();
  });

  return {
    // Every cue's name; fetched once the first frame shows.
    cues: function (names) { cues = names; },
    // The first frame is up: the files may load now.
    firstFrameShown: function () {
      loading = true;
      for (var i = 0; i < cues.length; ++i) bytes(cues[i]);
      startBed("music");
      startBed("ambience");
    },
    bed: function (layer, name) {
      if (beds[layer].name === name) return;
      beds[layer].name = name;
      if (name && loading) bytes(name);
      startBed(layer);
    },
    cue: function (name) {
      if (!audible()) return;
      buffer(name, true).then(function (b) {
        if (!b || !audible()) return;
        var source = context.createBufferSource();
        source.buffer = b;
        source.connect(master);
        source.start();
      });
    },
    set: function (newGain, newMuted) {
      gain = newGain;
      muted = newMuted;
      settle();
    },
    // For tests: the context's state and the level (RMS of full scale) of what is heard now.
    report: function () {
      // Suspended, the analyser keeps the last moment heard, which after the fade to silence is silence.
      var level = 0;
      if (analyser) {
        var data = new Float32Array(analyser.fftSize);
        analyser.getFloatTimeDomainData(data);
        var sum = 0;
        for (var i = 0; i < data.length; ++i) sum += data[i] * data[i];
        level = Math.sqrt(sum / data.length);
      }
      return {state: context ? context.state : "none", level: level, muted: muted,
              time: context ? context.currentTime : 0,
              music: beds.music.voice ? beds.music.voice.name : "", unplayable: Object.keys(named)};
    },
  };
})();
